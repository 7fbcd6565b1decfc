// SPDX-License-Identifier: GPL-3.0-or-later
#include "canberrasound.h"

#include <QFile>
#include <QRegularExpression>
#include <canberra.h>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <pthread.h>
#include <sched.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvanto {

namespace {

// A sound as the worker plays it, made ready by the caller: the worker uses nothing of Qt's, which
// may already be gone when a sound call that blocked returns during the program's exit.
struct Sound {
    // A theme sound's name, or empty.
    std::string theme;
    // A file's name in the file system's encoding, or empty.
    std::string file;
};

}  // namespace

// What the program asked for and the worker has not yet taken, shared with the worker so that
// a worker left behind at destruction still has it.
struct CanberraSound::Requests {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable finished;
    std::optional<Sound> pending;
    bool stopping = false;
    // The program no longer waits for the worker: its exit has begun.
    bool abandoned = false;
    bool done = false;
};

namespace {

constexpr std::uint32_t SoundId = 1;
constexpr const char* DefaultSound = "bell";
constexpr auto LeaveBehindAfter = std::chrono::seconds(2);

// Theme sound names are plain words; anything else is never handed to the theme lookup.
bool isThemeName(const QString& name) {
    static const QRegularExpression word(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9._-]*$"));
    return word.match(name).hasMatch();
}

// Only a readable regular file is opened: a FIFO or a device would block the reader.
bool isPlayableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

// A wave file that ends before the length its RIFF header gives has lost samples; the service
// would play the part that is left, and a damaged file plays the default sound instead.
bool isCutShort(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    unsigned char header[8];
    struct stat info {};
    const bool riff = ::read(fd, header, sizeof header) == sizeof header && std::memcmp(header, "RIFF", 4) == 0 &&
                      ::fstat(fd, &info) == 0;
    ::close(fd);
    if (!riff) return false;
    const std::uint64_t declared = header[4] | header[5] << 8 | header[6] << 16 | std::uint64_t(header[7]) << 24;
    return std::uint64_t(info.st_size) < declared + 8;
}

int playTheme(ca_context* context, const char* name) {
    return ca_context_play(context, SoundId, CA_PROP_EVENT_ID, name, nullptr);
}

// The theme sound, else the file, else the default sound. Each call may block for as long as the
// sound server does; once the program is ending, nothing more is tried.
template <class Ending>
void playSound(ca_context* context, const Sound& sound, Ending ending) {
    ca_context_cancel(context, SoundId);
    if (!sound.theme.empty() && !ending() && playTheme(context, sound.theme.c_str()) == CA_SUCCESS) return;
    if (!sound.file.empty() && !ending() && isPlayableFile(sound.file) && !isCutShort(sound.file) &&
        ca_context_play(context, SoundId, CA_PROP_MEDIA_FILENAME, sound.file.c_str(), nullptr) == CA_SUCCESS)
        return;
    if (!ending()) playTheme(context, DefaultSound);
}

}  // namespace

void CanberraSound::run(const std::shared_ptr<Requests>& requests) {
    // Woken by play(), a thread of the normal policy may take the CPU from its caller at once and
    // keep it for the milliseconds that starting a sound takes: the alert would wait for its sound.
    // A batch thread never preempts the thread that wakes it; it runs once that one yields.
    const sched_param batch{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &batch);
    const auto ending = [&requests] {
        std::lock_guard lock(requests->mutex);
        return requests->stopping;
    };
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS) context = nullptr;
    if (context) ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Sorvanto", nullptr);
    for (;;) {
        std::unique_lock lock(requests->mutex);
        requests->wake.wait(lock, [&] { return requests->stopping || requests->pending; });
        if (requests->stopping) break;
        const Sound sound = std::move(*requests->pending);
        requests->pending.reset();
        lock.unlock();
        if (context) playSound(context, sound, ending);
        // Left behind, the worker may already be outliving the program's statics: it touches
        // nothing more, not even its context, which the process's end takes back.
        if (std::lock_guard guard(requests->mutex); requests->abandoned) return;
    }
    if (context) ca_context_destroy(context);
    std::lock_guard lock(requests->mutex);
    requests->done = true;
    requests->finished.notify_all();
}

CanberraSound::CanberraSound()
    : requests_(std::make_shared<Requests>()), worker_([requests = requests_] { run(requests); }) {}

CanberraSound::~CanberraSound() {
    std::unique_lock lock(requests_->mutex);
    requests_->stopping = true;
    requests_->wake.notify_one();
    const bool done = requests_->finished.wait_for(lock, LeaveBehindAfter, [this] { return requests_->done; });
    requests_->abandoned = !done;
    lock.unlock();
    if (done)
        worker_.join();
    else
        worker_.detach();
}

void CanberraSound::play(const QString& name) {
    Sound sound;
    if (isThemeName(name)) sound.theme = name.toStdString();
    if (!name.isEmpty()) sound.file = QFile::encodeName(name).toStdString();
    {
        std::lock_guard lock(requests_->mutex);
        requests_->pending = std::move(sound);
    }
    requests_->wake.notify_one();
}

}  // namespace sorvanto
