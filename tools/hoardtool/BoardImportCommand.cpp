// hoardtool's import-board command: a board of the Open Board Format, a package (.obz) or
// a loose board (.obf), imported as a board of screen documents (BoardImport.h), with a
// line of report for each board.
#include "Commands.h"
#include "OutputNames.h"
#include "ToolError.h"

#include "BoardImport.h"

#include "ObfError.h"

#include <stdio.h>

int ImportBoard(int argc, char** argv)
{
    const char* pszSource = argv[0];
    const char* pszOut = argv[1];
    CheckDocumentName(pszOut);
    std::vector<BoardImportReport> reports;
    try
    {
        reports = ImportBoards(pszSource, pszOut);
    }
    catch (const obf::Error& error)
    {
        Fail("%s: %s; %s was not written", pszSource, error.what(), pszOut);
    }
    catch (CException* e)
    {
        CString strWhy = ToolExceptionText(e);
        e->Delete();
        Fail("%s; %s was not written", (LPCSTR)strWhy, pszOut);
    }
    for (const BoardImportReport& report : reports)
        printf("%s\n", (LPCSTR)report.Line());
    return 0;
}
