#pragma once
#include "data/core/LogSender.h"

#include <QDate>
#include <QString>

#include <optional>

// The date check of a sign-in (when the parameter row's AVTOKONTROLADAT is "T"), on the data
// module's parameter row: the row is read again and its AVTODATUMVSTOPA, the date of the last
// login, is compared with today (CheckLoginDate, LoginRules.h). A last login after today refuses
// the sign-in: the refusal's message is returned. An earlier one is stored as today; a failure
// to store it is logged as "TestPassword" (with the sender) and the sign-in goes on. Returns
// nothing when the user may go on. Failures of reading the row are raised.
std::optional<QString> RunLoginDateCheck(const QDate& today, const LogSender& sender);
