// CEventLog: the file that --log names, one line per event of the board, appended and
// flushed at once so that a program driving the board can wait on it: "open NAME" and
// "close NAME" (a board, by its document's title), "activate NAME" (the board scanned
// from now on), "focus NAME", "select NAME", "play NAME", "stop" (automatic scanning
// ended), "board NAME" (a link put that board in another's place), "print PAGES",
// "protect on", "protect off". A name that is empty is written
// "-"; control characters in a name become '?', so that every event stays on one line.
#pragma once

#include <afx.h>

#include <stdio.h>

class CEventLog
{
public:
    CEventLog() : m_pFile(NULL) {}
    ~CEventLog();
    CEventLog(const CEventLog&) = delete;
    CEventLog& operator=(const CEventLog&) = delete;

    // Opens pszPath for appending, creating it; FALSE when it cannot be.
    BOOL Open(const char* pszPath);
    BOOL IsOpen() const { return m_pFile != NULL; }

    // One line: the event, then the name when one is given. Nothing while not open.
    void Write(const char* pszEvent, const char* pszName = NULL);

private:
    FILE* m_pFile;
};
