// The player's own logic on a fake sound output and a scheduler run by hand:
// the device retries, the background opening, a tick asked for while the
// device opens, and a device closed and opened again (gone, or the display
// resting). No device, no thread and no clock are involved, so what is
// checked is the logic that every platform's output runs under.
#include "platform/resources.h"
#include "sound/DirectSound.h"
#include "sound/device_opening.h"
#include "sound/direct_sound_result.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Opens a device on the attempt numbered opensAt (from 1; 0: never), or on
// every attempt while there is one; every other attempt fails as busy, or,
// from the attempt numbered refusesAt on, as a failure not worth retrying.
// An open device may go: it then reads as disconnected, or its plays fail
// with playResult (a DirectSound result code). Records what the player does.
class FakeOutput : public SoundOutput {
public:
    int opensAt = 0;
    int refusesAt = 0;
    int attempts = 0;
    bool there = false;
    bool connected = true;
    std::uint32_t playResult = 0;
    std::vector<std::string> calls;

    DeviceAttempt openDevice() override
    {
        ++attempts;
        if (attempts == opensAt || there)
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
    bool start(SoundBuffer*, std::uint32_t position, bool loop) override
    {
        record("start " + std::to_string(position) + (loop ? " looping" : " once"));
        return classifyDirectSoundResult(playResult) != DirectSoundResult::DeviceGone;
    }
    void stop(SoundBuffer*) override { record("stop"); }
    bool stillConnected(SoundDevice*, SoundBuffer*) override { return connected; }

    int count(const std::string& call) const { return static_cast<int>(std::count(calls.begin(), calls.end(), call)); }

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

    // Sets player up with the tick, opening the device in the background,
    // and lets the attempts run: true when the player is ready.
    bool openInBackground(CDirectSound& player)
    {
        if (!player.initInBackground(173, nullptr))
            return false;
        scheduler.runJobs();
        player.update();
        return player.isReady();
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

TEST(DirectSoundResults, TheCodesThatMeanNoDriverOrNoDeviceCountAsAGoneDevice)
{
    struct Case {
        std::uint32_t code;
        DirectSoundResult meaning;
    };
    const Case cases[] = {
        {0x00000000, DirectSoundResult::Done},        // DS_OK
        {0x0878000A, DirectSoundResult::Done},        // DS_NO_VIRTUALIZATION: success
        {0x88780096, DirectSoundResult::BufferLost},  // DSERR_BUFFERLOST
        {0x88780078, DirectSoundResult::DeviceGone},  // DSERR_NODRIVER
        {0x88890004, DirectSoundResult::DeviceGone},  // AUDCLNT_E_DEVICE_INVALIDATED
        {0x88890010, DirectSoundResult::DeviceGone},  // AUDCLNT_E_SERVICE_NOT_RUNNING
        {0x8007048F, DirectSoundResult::DeviceGone},  // ERROR_DEVICE_NOT_CONNECTED
        {0x8878000A, DirectSoundResult::Failed},      // DSERR_ALLOCATED
        {0x80070057, DirectSoundResult::Failed},      // E_INVALIDARG
    };
    for (const Case& c : cases)
        EXPECT_EQ(classifyDirectSoundResult(c.code), c.meaning) << std::hex << c.code;
}

// A device that goes while the clock runs: one line, quiet rounds of attempts
// for as long as it stays away, and the tick back once it returns.
TEST_F(PlayerPolicy, AGoneDeviceIsClosedReportedOnceRetriedQuietlyAndPlaysAgainWhenItReturns)
{
    struct Case {
        const char* name;
        bool disconnects;          // seen by the once-a-second question (OpenAL's ALC_CONNECTED)
        std::uint32_t playResult;  // what a tick's Play returns afterwards (DirectSound)
        bool gone;
    };
    const Case cases[] = {
        {"reads as disconnected", true, 0, true},
        {"a tick finds no driver", false, 0x88780078, true},
        {"a tick finds the device invalidated", false, 0x88890004, true},
        {"a lost buffer is only restored", false, 0x88780096, false},
        {"any other failure of a tick", false, 0x80004005, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        output = FakeOutput{};
        output.there = true;
        testing::internal::CaptureStderr();
        {
            CDirectSound player;
            ASSERT_TRUE(openInBackground(player));

            // The device goes.
            output.there = false;
            output.connected = !c.disconnects;
            output.playResult = c.playResult;
            scheduler.clock += 1100ms;
            player.update();
            player.play(0, false);
            EXPECT_EQ(player.isReady(), !c.gone);
            EXPECT_EQ(output.count("close device"), c.gone ? 1 : 0);
            if (c.gone) {
                // Rounds of attempts, each after a pause once the last has failed;
                // the frames never wait for them.
                for (int round = 0; round < 3; ++round) {
                    ASSERT_EQ(scheduler.jobs.size(), 1u) << "round " << round;
                    scheduler.runJobs();
                    player.update();
                    EXPECT_TRUE(scheduler.jobs.empty()) << "a pause before the next round";
                    scheduler.clock += kSoundDeviceReopenPause - 100ms;
                    player.update();
                    EXPECT_TRUE(scheduler.jobs.empty());
                    scheduler.clock += 100ms;
                    player.update();
                }
                EXPECT_GE(output.attempts, 1 + 3 * kSoundDeviceAttempts);
                EXPECT_FALSE(player.isReady());

                // The device is back: the next round opens it.
                output.there = true;
                output.connected = true;
                output.playResult = 0;
                scheduler.runJobs();
                player.update();
                EXPECT_TRUE(player.isReady());
                EXPECT_EQ(output.count("create 8784"), 2) << "the sound is set up again";
            }
            output.calls.clear();
            player.play(0, false);
            EXPECT_EQ(output.starts(), std::vector<std::string>{"start 0 once"});
        }
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said, c.gone ? "tarnwick: the sound device has gone; the tick comes back when it does\n" : "");
    }
}

TEST_F(PlayerPolicy, WhileTheDisplayRestsTheDeviceIsClosedAndNothingPlaysThenItReopensInTheBackground)
{
    output.there = true;
    testing::internal::CaptureStderr();
    {
        CDirectSound player;
        ASSERT_TRUE(openInBackground(player));

        CDirectSound::rest();
        EXPECT_EQ(output.count("release"), 1);
        EXPECT_EQ(output.count("close device"), 1);
        EXPECT_EQ(CDirectSound::sharedDevice(), nullptr);
        const int attempts = output.attempts;
        for (int second = 0; second < 5; ++second) {
            scheduler.clock += 1s;
            player.update();
            player.play(0, false);
        }
        EXPECT_TRUE(scheduler.jobs.empty()) << "nothing opens the device while resting";
        EXPECT_EQ(output.attempts, attempts);
        EXPECT_TRUE(output.starts().empty());

        // Awake: the device opens in the background; a tick asked for
        // meanwhile plays once it has.
        CDirectSound::wake();
        EXPECT_FALSE(player.isReady());
        player.play(0, false);
        scheduler.runJobs();
        player.update();
        EXPECT_TRUE(player.isReady());
        EXPECT_EQ(output.starts(), std::vector<std::string>{"start 0 once"});

        // A rest that begins while a round of attempts is under way: the
        // device it opens late is closed at once.
        output.there = false;
        output.connected = false;
        scheduler.clock += 1100ms;
        player.update();
        ASSERT_EQ(scheduler.jobs.size(), 1u);
        CDirectSound::rest();
        output.there = true;
        scheduler.runJobs();
        const int closed = output.count("close device");
        player.update();
        EXPECT_EQ(output.count("close device"), closed + 1);
        EXPECT_EQ(CDirectSound::sharedDevice(), nullptr);
        CDirectSound::wake();
        output.connected = true;
        scheduler.runJobs();
        player.update();
        EXPECT_TRUE(player.isReady());
    }
    // Only the device that went is reported, not the rests.
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "tarnwick: the sound device has gone; the tick comes back when it does\n");
}
