// CBoardCommandLine.
#include "CommandLine.h"

BOOL CBoardCommandLine::Parse(const std::vector<CString>& args)
{
    for (size_t i = 0; i < args.size(); ++i)
    {
        const CString& strArg = args[i];
        if (strArg == "--log" && i + 1 < args.size() && args[i + 1].Left(2) != "--")
            m_strLog = args[++i];
        else if (strArg == "--protect")
            m_bProtect = TRUE;
        else if (strArg.Left(1) == "-")
            return FALSE;
        else
            m_docs.push_back(strArg);
    }
    return TRUE;
}
