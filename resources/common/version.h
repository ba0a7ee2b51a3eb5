// The program version, set here and nowhere else: the version resources of both
// programs and the code (about box, update check) read it from this file.
#pragma once

#define QM_VERSION_MAJOR 1
#define QM_VERSION_MINOR 0
#define QM_VERSION_BUILD 1

#define QM_STRINGIFY2(x) #x
#define QM_STRINGIFY(x) QM_STRINGIFY2(x)
#define QM_VERSION_TEXT \
  QM_STRINGIFY(QM_VERSION_MAJOR) "." QM_STRINGIFY(QM_VERSION_MINOR) "." QM_STRINGIFY(QM_VERSION_BUILD)
