// The "Recording" section of the settings file.
#include "hoard/sound/RecordingSettings.h"

#include <stdio.h>
#include <string.h>

const char szSettingsFile[] = "OKAPI_X.INI";
const char szRecordingSection[] = "Recording";

const char szSquelchEnabled[] = "SquelchEnabled";
const char szMinSquelchTime[] = "Min Squelch Time";
const char szMaxSecondsBuffer[] = "MaxSecondsBuffer";
const char szTrimSound[] = "Trim Sound";

int GetRecordingSetting(const char* pszKey, int nDefault)
{
    return (int)::GetPrivateProfileIntA(szRecordingSection, pszKey, nDefault, szSettingsFile);
}

BOOL WriteRecordingSetting(const char* pszKey, int nValue)
{
    char szValue[16];
    snprintf(szValue, sizeof szValue, "%d", nValue);
    return WriteRecordingSettingText(pszKey, szValue);
}

BOOL GetRecordingSettingText(const char* pszKey, CString& strValue)
{
    // A default no value can have tells a missing key from an empty one.
    const char szMissing[] = "\n";
    char szValue[256];
    ::GetPrivateProfileStringA(szRecordingSection, pszKey, szMissing, szValue, sizeof szValue, szSettingsFile);
    if (strcmp(szValue, szMissing) == 0)
        return FALSE;
    strValue = szValue;
    return TRUE;
}

BOOL WriteRecordingSettingText(const char* pszKey, const char* pszValue)
{
    return ::WritePrivateProfileStringA(szRecordingSection, pszKey, pszValue, szSettingsFile);
}
