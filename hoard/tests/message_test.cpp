// Broadcast messages: delivery order and receivers that come and go during a broadcast.
#include "hoard/runtime/Message.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class MsgPing : public Message
{
public:
    explicit MsgPing(int n) : m_n(n) {}
    int m_n;
};

class MsgOther : public Message {};

std::vector<std::string> g_log;

// Logs the pings it receives; optionally runs an action on receipt.
class CPingReceiver : public CMessageReceiver
{
public:
    explicit CPingReceiver(const char* pszName) : m_strName(pszName) {}
    virtual ~CPingReceiver() = default;
    void OnMessage(Message* pMsg) override
    {
        if (auto* pPing = dynamic_cast<MsgPing*>(pMsg))
        {
            g_log.push_back(m_strName + std::to_string(pPing->m_n));
            if (m_action)
                m_action();
        }
    }
    std::string m_strName;
    std::function<void()> m_action;
};

class MessageTest : public ::testing::Test
{
protected:
    void SetUp() override { g_log.clear(); }
};

TEST_F(MessageTest, WithoutReceiversNothingHappens)
{
    MsgPing(1).Broadcast();
    EXPECT_TRUE(g_log.empty());
}

TEST_F(MessageTest, ReceiversHearEveryMessageInConstructionOrder)
{
    CPingReceiver a("a"), b("b"), c("c");
    MsgPing(1).Broadcast();
    MsgOther().Broadcast();
    MsgPing(2).Broadcast();
    EXPECT_EQ((std::vector<std::string>{ "a1", "b1", "c1", "a2", "b2", "c2" }), g_log);
}

TEST_F(MessageTest, ReceiverDestroyingItselfDoesNotDisturbTheOthers)
{
    CPingReceiver a("a"), c("c");
    auto* pB = new CPingReceiver("b");
    pB->m_action = [pB] { delete pB; };
    // b was constructed after c: order a, c, b; then again without b.
    MsgPing(1).Broadcast();
    MsgPing(2).Broadcast();
    EXPECT_EQ((std::vector<std::string>{ "a1", "c1", "b1", "a2", "c2" }), g_log);
}

TEST_F(MessageTest, ReceiverDestroyingTheNextOneIsSafe)
{
    CPingReceiver a("a");
    auto pB = std::make_unique<CPingReceiver>("b");
    auto pC = std::make_unique<CPingReceiver>("c");
    CPingReceiver d("d");
    a.m_action = [&] { pB.reset(); };        // b is the walk's next entry
    pC->m_action = [&] { pC.reset(); };      // and c goes itself
    MsgPing(1).Broadcast();
    EXPECT_EQ((std::vector<std::string>{ "a1", "c1", "d1" }), g_log);
}

TEST_F(MessageTest, NestedBroadcastsSurviveRemovals)
{
    CPingReceiver a("a");
    auto pB = std::make_unique<CPingReceiver>("b");
    CPingReceiver c("c");
    bool bNested = false;
    a.m_action = [&] {
        if (bNested)
            return;
        bNested = true;
        MsgPing(2).Broadcast();     // the inner walk reaches b and removes it
    };
    pB->m_action = [&] { pB.reset(); };
    MsgPing(1).Broadcast();
    EXPECT_EQ((std::vector<std::string>{ "a1", "a2", "b2", "c2", "c1" }), g_log);
}

TEST_F(MessageTest, ReceiverRegisteredDuringBroadcastIsReachedUnlessAddedByTheLast)
{
    std::unique_ptr<CPingReceiver> pLate, pLater;
    CPingReceiver a("a");
    CPingReceiver b("b");
    a.m_action = [&] {
        if (pLate)
            return;
        pLate = std::make_unique<CPingReceiver>("late");
        // "late" is the last receiver when it is called: what it adds waits.
        pLate->m_action = [&] {
            if (!pLater)
                pLater = std::make_unique<CPingReceiver>("later");
        };
    };
    MsgPing(1).Broadcast();
    EXPECT_EQ((std::vector<std::string>{ "a1", "b1", "late1" }), g_log);
    g_log.clear();
    MsgPing(2).Broadcast();
    EXPECT_EQ((std::vector<std::string>{ "a2", "b2", "late2", "later2" }), g_log);
}

TEST_F(MessageTest, CopiedReceiverIsARegisteredReceiverOfItsOwn)
{
    auto pOriginal = std::make_unique<CPingReceiver>("x");
    CPingReceiver copy(*pOriginal);
    pOriginal.reset();
    MsgPing(1).Broadcast();
    EXPECT_EQ((std::vector<std::string>{ "x1" }), g_log);

    CPingReceiver y("y");
    y = copy;       // assignment changes no registration
    g_log.clear();
    MsgPing(2).Broadcast();
    EXPECT_EQ((std::vector<std::string>{ "x2", "x2" }), g_log);
}

} // namespace
