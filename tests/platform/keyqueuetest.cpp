// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "keyqueue.h"

namespace korv::platform {
namespace {

using Key = KeyQueue::Key;
constexpr int kControl = 0xffe3;
constexpr int kAlt = 0xffe9;
constexpr int kTab = 0xff09;
constexpr int kV = 0x76;

// The receiver: records each key as it comes, and takes it when the test says so, or at once.
struct Receiver {
    bool takesAtOnce = false;
    std::string got; // "+sym" pressed, "-sym" released, "." taken, "|" a burst heard through
    std::vector<std::function<void()>> waiting;

    KeyQueue::Sender sender() {
        return [this](Key key, std::function<void()> taken) {
            got += (key.press ? "+" : "-") + std::to_string(key.sym);
            if (takesAtOnce) {
                got += ".";
                taken();
            } else {
                waiting.push_back(std::move(taken));
            }
        };
    }

    // Takes what is under way, one key at a time, until nothing more comes.
    void takeAll() {
        while (!waiting.empty()) {
            auto taken = std::move(waiting.front());
            waiting.erase(waiting.begin());
            got += ".";
            taken();
        }
    }
};

const std::string kAltTab = "+65513.+65289.-65289.-65513.";
const std::string kControlTap = "+65507.-65507.";

TEST(KeyQueue, SendsEachKeyOnceInOrderWhateverTheBurstsDoWhenHeard) {
    const auto queueCtrlV = [](KeyQueue& q, std::string& got) {
        q.send({{kControl, true}}, [&q, &got] {
            got += "|";
            q.send({{kV, true}, {kV, false}, {kControl, false}}, [&got] { got += "|"; });
        });
    };
    // Each case queues a Ctrl tap, then Alt+Tab; what is heard after Alt+Tab is the case's.
    const struct {
        const char* name;
        bool takesAtOnce;
        std::function<void(KeyQueue&, std::string&)> afterAltTab;
        std::string expected;
    } cases[] = {
        {"nothing more", false, [](KeyQueue&, std::string&) {}, kControlTap + kAltTab + "|"},
        // Queued from where the burst is heard: each key once, the next after it was taken,
        // whether the receiver takes keys later or at once.
        {"Ctrl+V queued when heard", false, queueCtrlV,
         kControlTap + kAltTab + "|+65507.|+118.-118.-65507.|"},
        {"Ctrl+V queued when heard, keys taken at once", true, queueCtrlV,
         kControlTap + kAltTab + "|+65507.|+118.-118.-65507.|"},
        // The first key is on its way at once; the rest is not sent.
        {"queued and dropped when heard", false,
         [](KeyQueue& q, std::string&) {
             q.send({{kV, true}, {kV, false}});
             q.drop();
         },
         kControlTap + kAltTab + "|+118."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Receiver receiver;
        receiver.takesAtOnce = c.takesAtOnce;
        KeyQueue queue(receiver.sender());
        queue.send({{kControl, true}, {kControl, false}});
        queue.send({{kAlt, true}, {kTab, true}, {kTab, false}, {kAlt, false}}, [&] {
            receiver.got += "|";
            c.afterAltTab(queue, receiver.got);
        });
        receiver.takeAll();
        EXPECT_EQ(receiver.got, c.expected);
        EXPECT_TRUE(receiver.waiting.empty());
    }
}

TEST(KeyQueue, AKeyWaitsForTheOneUnderWay) {
    Receiver receiver;
    KeyQueue queue(receiver.sender());
    queue.send({{kControl, true}});
    queue.send({{kControl, false}});
    EXPECT_EQ(receiver.got, "+65507");
    receiver.takeAll();
    EXPECT_EQ(receiver.got, "+65507.-65507.");
    // Dropped while a key is under way: that key's answer sends nothing more, and a later
    // burst goes out once it is in.
    queue.send({{kAlt, true}, {kTab, true}});
    queue.drop();
    queue.send({{kV, true}});
    EXPECT_EQ(receiver.got, "+65507.-65507.+65513");
    receiver.takeAll();
    EXPECT_EQ(receiver.got, "+65507.-65507.+65513.+118.");
}

} // namespace
} // namespace korv::platform
