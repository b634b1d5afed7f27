// Broadcast messages: every live CMessageReceiver receives every Message that anybody
// broadcasts, in the order in which the receivers were constructed.
#pragma once

#include "hoard/hoard_api.h"

// Base of every message kind. Kinds are told apart with checked down-casts.
class HOARD_API Message
{
public:
    // Delivers this message to every registered receiver.
    void Broadcast();

protected:
    Message() = default;
    Message(const Message&) = default;
    Message& operator=(const Message&) = default;
    virtual ~Message();
};

// Base of every receiver: registered for its whole lifetime.
class HOARD_API CMessageReceiver
{
public:
    CMessageReceiver();
    // A copy is a receiver of its own.
    CMessageReceiver(const CMessageReceiver&);
    // Registration belongs to the object, not to its value.
    CMessageReceiver& operator=(const CMessageReceiver&) { return *this; }

    virtual void OnMessage(Message* pMsg) = 0;

protected:
    // Not virtual: receivers are never destroyed through this base.
    ~CMessageReceiver();

private:
    friend class Message;

    // Every live receiver exactly once, oldest first.
    static CPtrList m_listReceivers;
};
