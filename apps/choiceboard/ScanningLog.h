// CScanningLog: tells the event log where switch scanning went, after each piece of
// work that may move it (a tick of a board's clock, a mouse event, an activation):
// "activate NAME" when another board became the one scanned, "focus NAME" when the
// scanning focus moved to a container, "cue NAME" when the auditory cue of the focus
// NAME started to play, "stop" when automatic scanning ended. Scanning
// is process-wide, so the application keeps one of these for all its boards.
#pragma once

#include "limn/containers/ContainerWatch.h"

#include <memory>

class CDocument;
class CEventLog;

class CScanningLog
{
public:
    explicit CScanningLog(CEventLog& log) : m_log(log) {}

    // Writes what changed since the last call.
    void Note();
    // A board that goes is no longer the one last logged as active: a board opened
    // later in its place is logged when it becomes active.
    void Forget(const CDocument* pDoc);

private:
    CEventLog& m_log;
    const CDocument* m_pLoggedDoc = NULL;
    // A focus that went and came back to the same container has moved again; one that
    // was destroyed is no longer the one logged.
    std::unique_ptr<CContainerWatch> m_pLoggedFocus;
    BOOL m_bLoggedAutoScan = FALSE;
    UINT m_nLoggedCues = 0;     // the cues started when the last was logged
};
