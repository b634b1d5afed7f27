// The "Recording" section of the settings file.
#include "hoard/sound/RecordingSettings.h"

#include <stdio.h>

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
    return ::WritePrivateProfileStringA(szRecordingSection, pszKey, szValue, szSettingsFile);
}
