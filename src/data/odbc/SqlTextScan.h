#pragma once
#include <QStringView>

// One quick pass over a statement text (a generated batch of several kilobytes among them) that
// tells whether it can be sent exactly as written: no ":" outside quotes (no named parameter, no
// bad token), no word starting "like" or "limit" outside quotes, and no quoted literal of a
// date-time's length with a ":" where the milliseconds begin. When true, SqlParameterParser::parse
// and SqlDialect::rewrite both return the text unchanged, so neither need run. Quotes are read as
// they do: apostrophes or double quotes, a doubled quote inside the string, an unclosed string
// running to the end.
bool sqlTextIsPlain(QStringView sql) noexcept;
