#pragma once
#include <QString>

// Version data of program files. Every program built by this project carries the marker
// "OBDRAC-VERSION:<version>+<build>" (for example "OBDRAC-VERSION:1.0.0+123") from the build's
// BuildInfo.h; GetFileVersionAndBuild finds it by scanning the file.

// The marker of this program.
QString programVersionMarker();

// version and build of the file: both "0" to start with; true when a marker was found. Any other
// file (or a missing one) leaves "0".
bool GetFileVersionAndBuild(const QString& fileName, QString& version, QString& build);

// Reads the running program's own version data into ProgramVersion and ProgramBuildNo
// (both "0" when there is none). Returns true when found.
bool loadProgramVersion();
