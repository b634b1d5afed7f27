// The recording settings: section "Recording" of the private profile file
// "OKAPI_X.INI", a bare file name, so that it lies in the Windows folder.
#pragma once

#include "hoard/hoard_api.h"

HOARD_API extern const char szSettingsFile[];           // "OKAPI_X.INI"
HOARD_API extern const char szRecordingSection[];       // "Recording"

// The keys and what reads them.
HOARD_API extern const char szSquelchEnabled[];         // TrimSound: 0 skips squelching
HOARD_API extern const char szMinSquelchTime[];         // TrimSound: shortest quiet stretch, ms
HOARD_API extern const char szMaxSecondsBuffer[];       // record dialog: longest recording, s
HOARD_API extern const char szTrimSound[];              // record dialog: trim when done

// The integer of a key, or nDefault when it is missing (GetPrivateProfileInt's reading).
HOARD_API int GetRecordingSetting(const char* pszKey, int nDefault);
// Writes the key as a decimal number; FALSE when the file cannot be written.
HOARD_API BOOL WriteRecordingSetting(const char* pszKey, int nValue);

// The key's text as the file has it; FALSE when the key is missing.
HOARD_API BOOL GetRecordingSettingText(const char* pszKey, CString& strValue);
// Writes the key's text, or removes the key for NULL; FALSE when the file cannot be
// written.
HOARD_API BOOL WriteRecordingSettingText(const char* pszKey, const char* pszValue);
