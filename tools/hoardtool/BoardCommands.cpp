// hoardtool's board command: a board, a screen document that the choice board opens,
// made from picture files and their sounds with CBoardBuilder.
#include "Commands.h"
#include "OutputNames.h"
#include "ToolError.h"

#include "BoardBuilder.h"

#include "limn/containers/ChoiceLink.h"
#include "limn/pictures/Picture.h"

#include "hoard/resources/Hoard.h"
#include "hoard/sound/Wav.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

namespace {

const int nMaxColumns = 100;

// What the command line asks for.
struct BoardRequest
{
    const char* pszOut = NULL;
    CString strTitle;
    int nColumns = 0;                           // 0: as square as the count allows
    std::vector<CString> pictures;
    std::vector<CString> sounds;                // empty where a picture has none
    std::vector<std::pair<CString, CString>> links;     // choice name, board file
};

// "A=B" as A and B, split at the last '='; FALSE without one or with either side empty.
BOOL SplitPair(const char* pszArg, CString& strLeft, CString& strRight)
{
    const char* pszEquals = strrchr(pszArg, '=');
    if (pszEquals == NULL || pszEquals == pszArg || pszEquals[1] == '\0')
        return FALSE;
    strLeft = CString(pszArg, (int)(pszEquals - pszArg));
    strRight = pszEquals + 1;
    return TRUE;
}

BoardRequest ParseBoardRequest(int argc, char** argv)
{
    BoardRequest request;
    request.pszOut = argv[0];
    for (int i = 1; i < argc; ++i)
    {
        const char* pszArg = argv[i];
        if (strncmp(pszArg, "--", 2) != 0)
        {
            CString strPicture, strSound;
            if (!SplitPair(pszArg, strPicture, strSound))
            {
                strPicture = pszArg;
                strSound.Empty();
            }
            request.pictures.push_back(strPicture);
            request.sounds.push_back(strSound);
            continue;
        }
        if (i + 1 == argc)
            Fail("%s: unknown option, or its value is missing", pszArg);
        const char* pszValue = argv[++i];
        if (strcmp(pszArg, "--title") == 0)
        {
            request.strTitle = pszValue;
        }
        else if (strcmp(pszArg, "--columns") == 0)
        {
            char* pszEnd;
            long nColumns = strtol(pszValue, &pszEnd, 10);
            if (*pszValue == '\0' || *pszEnd != '\0' || nColumns < 1 || nColumns > nMaxColumns)
                Fail("--columns %s: give a number of choices to a row from 1 to %d", pszValue, nMaxColumns);
            request.nColumns = (int)nColumns;
        }
        else if (strcmp(pszArg, "--link") == 0)
        {
            CString strName, strBoard;
            if (!SplitPair(pszValue, strName, strBoard))
                Fail("--link %s: give a choice's name and the board it opens, NAME=OTHER.lmd", pszValue);
            CheckDocumentName(strBoard);
            request.links.emplace_back(strName, strBoard);
        }
        else
        {
            Fail("%s: unknown option (--title TEXT, --columns N, --link NAME=OTHER.lmd)", pszArg);
        }
    }
    if (request.pictures.empty())
        Fail("a board needs at least one PICTURE");
    return request;
}

CResource* ImportSound(CHoard& hoard, const CString& strPath, const CString& strName)
{
    CWav* pWav = CWav::New(hoard, NULL);
    if (pWav == NULL || !pWav->ImportFromFile(strPath))
        Fail("%s: not a readable WAVE sound", (LPCSTR)strPath);
    // The sound takes its choice's name, numbered when another sound has it.
    if (pWav->GetName().CompareNoCase(strName) != 0)
    {
        CString strUnique = strName;
        hoard.MakeUniqueName("CWav", strUnique);
        pWav->SetName(strUnique);
    }
    return pWav;
}

// A failure names the file and says that OUT was not written: the board is saved only
// once every picture and sound was read.
int MakeBoard(const BoardRequest& request)
{
    CHoard hoard;
    CBoardBuilder builder(hoard);
    builder.SetTitle(request.strTitle);
    const int nCount = (int)request.pictures.size();
    const int nColumns = request.nColumns > 0 ? request.nColumns : SquareColumns(nCount);
    std::vector<CString> names;
    try
    {
        for (int i = 0; i < nCount; ++i)
        {
            if (i > 0 && i % nColumns == 0)
                builder.AddRow();
            BoardChoice choice;
            choice.pPicture = ImportPicture(hoard, request.pictures[i]);
            if (choice.pPicture == NULL)
                Fail("%s: not a picture (bitmap, PNG, JPEG, GIF, TIFF or Macintosh picture)",
                     (LPCSTR)request.pictures[i]);
            if (!request.sounds[i].IsEmpty())
                choice.pSound = ImportSound(hoard, request.sounds[i], choice.pPicture->GetName());
            names.push_back(builder.AddChoice(choice));
        }
        // The last row is filled up with empty space, so that its choices line up
        // with those above.
        for (int i = nCount; i % nColumns != 0; ++i)
            builder.AddEmpty();
        for (const auto& link : request.links)
        {
            CChoiceLink* pLink = CChoiceLink::Find(hoard, link.first);
            if (pLink == NULL || pLink->GetPicture() == NULL)
                Fail("--link %s=%s: the board has no choice named %s", (LPCSTR)link.first, (LPCSTR)link.second,
                     (LPCSTR)link.first);
            pLink->SetBoard(link.second);
        }
        builder.Save(request.pszOut);
    }
    catch (ToolError& error)
    {
        Fail("%s; %s was not written", (LPCSTR)error.m_strMessage, request.pszOut);
    }
    catch (CException* e)
    {
        CString strWhy = ToolExceptionText(e);
        e->Delete();
        Fail("%s; %s was not written", (LPCSTR)strWhy, request.pszOut);
    }
    // What each choice shows, plays and opens, as saved: a sound merged into an
    // identical one is named as the one kept.
    for (const CString& strName : names)
    {
        CChoiceLink* pLink = CChoiceLink::Find(hoard, strName);
        CResource* pSound = pLink->GetSound();
        printf("choice %s: picture %s", (LPCSTR)strName, (LPCSTR)pLink->GetPicture()->GetName());
        if (pSound != NULL)
            printf(", sound %s", (LPCSTR)pSound->GetName());
        if (!pLink->GetBoard().IsEmpty())
            printf(", opens %s", (LPCSTR)pLink->GetBoard());
        printf("\n");
    }
    return 0;
}

} // namespace

int Board(int argc, char** argv)
{
    CheckDocumentName(argv[0]);
    return MakeBoard(ParseBoardRequest(argc, argv));
}
