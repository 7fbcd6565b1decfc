#include "canberrasound.h"

#include <QRegularExpression>
#include <canberra.h>
#include <pthread.h>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvanto {

namespace {

constexpr std::uint32_t SoundId = 1;
constexpr const char* DefaultSound = "bell";

// Theme sound names are plain words; anything else is never handed to the theme lookup.
bool isThemeName(const QString& name) {
    static const QRegularExpression word(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9._-]*$"));
    return word.match(name).hasMatch();
}

// Only a readable regular file is opened: a FIFO or a device would block the reader.
bool isPlayableFile(const QByteArray& path) {
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.constData(), R_OK) == 0;
}

int playTheme(ca_context* context, const char* name) {
    return ca_context_play(context, SoundId, CA_PROP_EVENT_ID, name, nullptr);
}

void playNamed(ca_context* context, const QString& name) {
    ca_context_cancel(context, SoundId);
    if (!name.isEmpty()) {
        if (isThemeName(name) && playTheme(context, name.toUtf8().constData()) == CA_SUCCESS) return;
        const QByteArray path = name.toLocal8Bit();
        if (isPlayableFile(path) &&
            ca_context_play(context, SoundId, CA_PROP_MEDIA_FILENAME, path.constData(), nullptr) == CA_SUCCESS)
            return;
    }
    playTheme(context, DefaultSound);
}

}  // namespace

CanberraSound::CanberraSound() : worker_([this] { run(); }) {}

CanberraSound::~CanberraSound() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    worker_.join();
}

void CanberraSound::play(const QString& name) {
    {
        std::lock_guard lock(mutex_);
        pending_ = name;
    }
    wake_.notify_one();
}

void CanberraSound::run() {
    // Woken by play(), a thread of the normal policy may take the CPU from its caller at once and
    // keep it for the milliseconds that starting a sound takes: the alert would wait for its sound.
    // A batch thread never preempts the thread that wakes it; it runs once that one yields.
    const sched_param batch{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &batch);
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS) context = nullptr;
    if (context) ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Sorvanto", nullptr);
    for (;;) {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stopping_ || pending_; });
        if (stopping_) break;
        const QString name = *pending_;
        pending_.reset();
        lock.unlock();
        if (context) playNamed(context, name);
    }
    if (context) ca_context_destroy(context);
}

}  // namespace sorvanto
