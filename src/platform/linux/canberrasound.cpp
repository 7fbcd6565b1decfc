#include "canberrasound.h"

#include <QFile>
#include <QRegularExpression>
#include <QtEndian>
#include <canberra.h>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <pthread.h>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvanto {

// What the program asked for and the worker has not yet taken, shared with the worker so that
// a worker left behind at destruction still has it.
struct CanberraSound::Requests {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable finished;
    std::optional<QString> pending;
    bool stopping = false;
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
bool isPlayableFile(const QByteArray& path) {
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.constData(), R_OK) == 0;
}

// A wave file that ends before the length its RIFF header gives has lost samples; the service
// would play the part that is left, and a damaged file plays the default sound instead.
bool isCutShort(const QByteArray& path) {
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray header = file.read(8);
    if (header.size() < 8 || !header.startsWith("RIFF")) return false;
    const quint64 declared = qFromLittleEndian<quint32>(header.constData() + 4);
    return quint64(file.size()) < declared + 8;
}

int playTheme(ca_context* context, const char* name) {
    return ca_context_play(context, SoundId, CA_PROP_EVENT_ID, name, nullptr);
}

void playNamed(ca_context* context, const QString& name) {
    ca_context_cancel(context, SoundId);
    if (!name.isEmpty()) {
        if (isThemeName(name) && playTheme(context, name.toUtf8().constData()) == CA_SUCCESS) return;
        const QByteArray path = QFile::encodeName(name);
        if (isPlayableFile(path) && !isCutShort(path) &&
            ca_context_play(context, SoundId, CA_PROP_MEDIA_FILENAME, path.constData(), nullptr) == CA_SUCCESS)
            return;
    }
    playTheme(context, DefaultSound);
}

}  // namespace

void CanberraSound::run(const std::shared_ptr<Requests>& requests) {
    // Woken by play(), a thread of the normal policy may take the CPU from its caller at once and
    // keep it for the milliseconds that starting a sound takes: the alert would wait for its sound.
    // A batch thread never preempts the thread that wakes it; it runs once that one yields.
    const sched_param batch{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &batch);
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS) context = nullptr;
    if (context) ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Sorvanto", nullptr);
    for (;;) {
        std::unique_lock lock(requests->mutex);
        requests->wake.wait(lock, [&] { return requests->stopping || requests->pending; });
        if (requests->stopping) break;
        const QString name = *requests->pending;
        requests->pending.reset();
        lock.unlock();
        if (context) playNamed(context, name);
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
    lock.unlock();
    if (done)
        worker_.join();
    else
        worker_.detach();
}

void CanberraSound::play(const QString& name) {
    {
        std::lock_guard lock(requests_->mutex);
        requests_->pending = name;
    }
    requests_->wake.notify_one();
}

}  // namespace sorvanto
