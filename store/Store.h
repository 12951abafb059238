#pragma once
// The data store: every data function takes an ErrorStream first. On failure it returns
// false (or its failure value) and the stream holds exactly that failure's message
// (most failures are also written to the log); on success the stream is left untouched.
// Text is UTF-8; files keep Windows-1250 bytes. No Qt here.
//
// Database exceptions (CppSQLite3Exception) escape only where a function opens its file
// before its handled region (an existing but unreadable file, a lock beyond the busy
// timeout) and from LogWrite; callers that want to survive those catch them.
//
// Saving a student: call ReplaceStudentTable (one transaction: the old table stays whole
// when the save fails). Progress: pass a ProgressSink (the wait and import windows).
#include "store/Calibration.h"
#include "store/CertFile.h"
#include "store/Cp1250.h"
#include "store/CppSQLite3.h"
#include "store/ErrorStream.h"
#include "store/Folders.h"
#include "store/Import.h"
#include "store/Log.h"
#include "store/Logs.h"
#include "store/Margins.h"
#include "store/Progress.h"
#include "store/Records.h"
#include "store/RequiredFiles.h"
#include "store/Settings.h"
#include "store/SqlText.h"
#include "store/Templates.h"
#include "store/Towns.h"
