// The player's own logic on a fake sound output and a scheduler run by hand:
// the device retries, the background opening and a tick asked for while the
// device opens. No device, no thread and no clock are involved, so what is
// checked is the logic that every platform's output runs under.
#include "platform/resources.h"
#include "sound/DirectSound.h"
#include "sound/device_opening.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Opens a device on the attempt numbered opensAt (from 1; 0: never); every
// other attempt fails as busy, or, from the attempt numbered refusesAt on,
// as a failure not worth retrying. Records what the player does.
class FakeOutput : public SoundOutput {
public:
    int opensAt = 0;
    int refusesAt = 0;
    int attempts = 0;
    std::vector<std::string> calls;

    DeviceAttempt openDevice() override
    {
        ++attempts;
        if (attempts == opensAt)
            return {reinterpret_cast<SoundDevice*>(&deviceToken), false};
        return {nullptr, refusesAt == 0 || attempts < refusesAt};
    }
    bool useDevice(SoundDevice*, void*) override { return record("use device"); }
    void closeDevice(SoundDevice*) override { record("close device"); }
    SoundBuffer* createBuffer(SoundDevice*, const WaveFormat&, std::uint32_t size) override
    {
        record("create " + std::to_string(size));
        return reinterpret_cast<SoundBuffer*>(&bufferToken);
    }
    bool fillBuffer(SoundBuffer*, const unsigned char*, std::uint32_t size) override
    {
        return record("fill " + std::to_string(size));
    }
    void releaseBuffer(SoundBuffer*) override { record("release"); }
    void start(SoundBuffer*, std::uint32_t position, bool loop) override
    {
        record("start " + std::to_string(position) + (loop ? " looping" : " once"));
    }
    void stop(SoundBuffer*) override { record("stop"); }

    // The calls that started the sound.
    std::vector<std::string> starts() const
    {
        std::vector<std::string> found;
        for (const std::string& call : calls)
            if (call.rfind("start", 0) == 0)
                found.push_back(call);
        return found;
    }

private:
    bool record(const std::string& call)
    {
        calls.push_back(call);
        return true;
    }
    char deviceToken = 0;
    char bufferToken = 0;
};

// Pauses and launched jobs are recorded, and run when the test says so; the
// clock moves only when the test moves it.
class HandScheduler : public SoundScheduler {
public:
    std::vector<unsigned> pauses;
    std::vector<std::function<void()>> jobs;
    std::chrono::steady_clock::time_point clock{};

    void pause(unsigned milliseconds) override { pauses.push_back(milliseconds); }
    void launch(std::function<void()> job) override { jobs.push_back(std::move(job)); }
    std::chrono::steady_clock::time_point now() override { return clock; }

    void runJobs()
    {
        std::vector<std::function<void()>> due;
        due.swap(jobs);
        for (auto& job : due)
            job();
    }
};

class PlayerPolicy : public ::testing::Test {
protected:
    void SetUp() override { CDirectSound::usePlatform(&output, &scheduler); }
    void TearDown() override
    {
        // The background attempts end within the test, so the next one may start its own.
        scheduler.runJobs();
        bool pending = true;
        if (SoundDevice* left = takeOpenedSoundDevice(&pending).device)
            output.closeDevice(left);
        CDirectSound::usePlatform(nullptr, nullptr);
    }

    FakeOutput output;
    HandScheduler scheduler;
};

std::vector<unsigned> pausesOf(int count)
{
    return std::vector<unsigned>(static_cast<std::size_t>(count), 500u);
}

} // namespace

TEST_F(PlayerPolicy, TheDeviceIsTriedTenTimesHalfASecondApartOnlyWhileBusyOrMissingInTheForegroundAndTheBackground)
{
    struct Case {
        const char* name;
        int opensAt;
        int refusesAt;
        int attempts;
        bool ready;
    };
    const Case cases[] = {
        {"never opens", 0, 0, 10, false},
        {"opens at the third attempt", 3, 0, 3, true},
        {"opens at the tenth attempt", 10, 0, 10, true},
        {"a failure not worth retrying", 0, 4, 4, false},
    };
    for (bool background : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (background ? ", in the background" : ", in the foreground"));
            output = FakeOutput{};
            output.opensAt = c.opensAt;
            output.refusesAt = c.refusesAt;
            scheduler.pauses.clear();
            {
                CDirectSound player;
                if (background) {
                    EXPECT_TRUE(player.initInBackground(173, nullptr));
                    EXPECT_EQ(output.attempts, 0) << "the caller goes on before any attempt";
                    scheduler.runJobs();
                    player.update();
                } else {
                    EXPECT_EQ(player.init(173, nullptr), c.ready);
                }
                EXPECT_EQ(output.attempts, c.attempts);
                EXPECT_EQ(scheduler.pauses, pausesOf(c.attempts - 1));
                EXPECT_EQ(player.isReady(), c.ready);
                if (c.ready) {
                    EXPECT_NE(CDirectSound::sharedDevice(), nullptr);
                    // A second player uses the open device without trying again.
                    CDirectSound second;
                    EXPECT_TRUE(second.init(173, nullptr));
                    EXPECT_EQ(output.attempts, c.attempts);
                }
            }
            EXPECT_EQ(CDirectSound::sharedDevice(), nullptr) << "the last player closes the device";
        }
    }
}

TEST_F(PlayerPolicy, ATickAskedForWhileTheDeviceOpensPlaysWhenItOpensWithinASecond)
{
    struct Case {
        const char* name;
        std::chrono::milliseconds openedAfter;
        int opensAt;
        std::vector<std::string> starts;
    };
    const Case cases[] = {
        {"opens at once", 0ms, 1, {"start 0 once"}},
        {"opens 0.9 s later, at its second attempt", 900ms, 2, {"start 0 once"}},
        {"opens 1.5 s later, at its second attempt", 1500ms, 2, {}},
        {"never opens", 900ms, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        output = FakeOutput{};
        output.opensAt = c.opensAt;
        CDirectSound player;
        ASSERT_TRUE(player.initInBackground(173, nullptr));
        // The first frame's tick comes before any attempt.
        player.play(0, false);
        player.update();
        EXPECT_FALSE(player.isReady());
        EXPECT_TRUE(output.starts().empty());

        scheduler.clock += c.openedAfter;
        scheduler.runJobs();
        player.update();
        EXPECT_EQ(player.isReady(), c.opensAt != 0);
        EXPECT_EQ(output.starts(), c.starts);
        // Asked for once, played at most once.
        player.update();
        EXPECT_EQ(output.starts(), c.starts);
        player.play(0, false);
        EXPECT_EQ(output.starts().size(), c.starts.size() + (c.opensAt != 0 ? 1u : 0u));
    }
}
