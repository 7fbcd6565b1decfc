// SPDX-License-Identifier: GPL-3.0-or-later
// Measures a program from outside it, so that measuring costs the program nothing.
//
//   benchtool watch LOG [--icons-by PID] -- COMMAND [ARG...]
//       Runs COMMAND and writes to LOG, one line per event, with times in nanoseconds on
//       CLOCK_BOOTTIME, when it was executed, when any top-level window was created, and when
//       each of its windows was mapped, fully painted, unmapped or embedded in the tray; with the
//       painting and the embedding, the CPU time its threads had used by then. SIGTERM or SIGINT
//       ends COMMAND, then the watch. With --icons-by, tray icons that process embeds count as
//       COMMAND's: under Wine, its explorer.exe docks every program's icon in a window of its own.
//   benchtool due PID          when the process's armed CLOCK_BOOTTIME timer runs out
//   benchtool memory PID       VmRSS, Pss and private dirty KiB over the process and its descendants
//   benchtool idle PID SECONDS context switches, CPU ticks and CPU time those spend over SECONDS
//   benchtool now              the current time
//   benchtool sleep-until TIME
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <optional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Nanoseconds = long long;

Nanoseconds now() {
    timespec t{};
    clock_gettime(CLOCK_BOOTTIME, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "benchtool: %s\n", message.c_str());
    std::exit(2);
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path);
    if (!in) return std::nullopt;
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The value after "key:" on its line, as a number.
std::optional<long long> field(const std::string& text, const std::string& key) {
    const auto at = text.find("\n" + key + ":");
    const auto start = at == std::string::npos ? (text.starts_with(key + ":") ? 0 : std::string::npos) : at + 1;
    if (start == std::string::npos) return std::nullopt;
    return std::atoll(text.c_str() + start + key.size() + 1);
}

std::vector<int> numericEntries(const std::string& directory) {
    std::vector<int> entries;
    if (DIR* dir = opendir(directory.c_str())) {
        while (const dirent* entry = readdir(dir))
            if (std::all_of(entry->d_name, entry->d_name + std::strlen(entry->d_name), ::isdigit) &&
                entry->d_name[0] != '\0')
                entries.push_back(std::atoi(entry->d_name));
        closedir(dir);
    }
    return entries;
}

// The fields of /proc/PID/stat after the command name, which may itself hold spaces and parentheses.
std::vector<std::string> statFields(const std::string& path) {
    const auto text = readFile(path);
    std::vector<std::string> fields;
    if (!text) return fields;
    const auto close = text->rfind(')');
    if (close == std::string::npos) return fields;
    std::istringstream rest(text->substr(close + 1));
    for (std::string f; rest >> f;) fields.push_back(f);
    return fields;
}

int parentOf(int pid) {
    const auto fields = statFields("/proc/" + std::to_string(pid) + "/stat");
    return fields.size() > 1 ? std::atoi(fields[1].c_str()) : 0;
}

bool descendsFrom(int pid, int ancestor) {
    for (int p = pid, hops = 0; p > 1 && hops < 64; p = parentOf(p), ++hops)
        if (p == ancestor) return true;
    return false;
}

// The process and all its descendants: a program may spread over several.
std::vector<int> processTree(int root) {
    std::vector<int> tree;
    for (int pid : numericEntries("/proc"))
        if (descendsFrom(pid, root)) tree.push_back(pid);
    return tree;
}

long long cpuNanoseconds(int pid) {
    long long total = 0;
    const std::string base = "/proc/" + std::to_string(pid) + "/task/";
    for (int tid : numericEntries(base))
        if (const auto schedstat = readFile(base + std::to_string(tid) + "/schedstat"))
            total += std::atoll(schedstat->c_str());
    return total;
}

// --- watch -------------------------------------------------------------------------------------

class Watch {
public:
    Watch(const char* logPath, int iconsBy, char** command);
    int run();

private:
    struct Window {
        xcb_window_t parent = 0;
        bool overrideRedirect = false;
        std::optional<bool> ours;
        bool iconOnly = false;
        bool mapped = false;
        bool painted = false;
        bool maximized = false;
        int width = 0, height = 0;
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    };

    void launch(char** command);
    void log(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void handle(xcb_generic_event_t* event, Nanoseconds at);
    void track(xcb_window_t window, xcb_window_t parent, bool overrideRedirect, Nanoseconds at);
    void mapped(xcb_window_t window, Window& state, Nanoseconds at);
    void damaged(const xcb_damage_notify_event_t& event, Nanoseconds at);
    void resized(Window& state, int width, int height);
    bool isOurs(xcb_window_t window, Window& state);
    bool inTray(const Window& state);
    std::string title(xcb_window_t window);
    bool maximized(xcb_window_t window);
    xcb_atom_t atom(const char* name);
    void endChild();

    FILE* log_ = nullptr;
    xcb_connection_t* x_ = nullptr;
    xcb_window_t root_ = 0;
    int screen_ = 0;
    std::uint32_t clientMask_ = 0;
    std::uint8_t damageEvent_ = 0;
    pid_t child_ = -1;
    int iconsBy_ = 0;
    int signals_ = -1;
    std::map<xcb_window_t, Window> windows_;
};

Watch::Watch(const char* logPath, int iconsBy, char** command) : iconsBy_(iconsBy) {
    log_ = std::fopen(logPath, "w");
    if (!log_) fail(std::string("cannot write ") + logPath);
    x_ = xcb_connect(nullptr, &screen_);
    if (xcb_connection_has_error(x_)) fail("cannot open the display");
    fcntl(xcb_get_file_descriptor(x_), F_SETFD, FD_CLOEXEC);
    const xcb_setup_t* setup = xcb_get_setup(x_);
    clientMask_ = ~setup->resource_id_mask;
    auto screens = xcb_setup_roots_iterator(setup);
    for (int i = 0; i < screen_; ++i) xcb_screen_next(&screens);
    root_ = screens.data->root;

    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(x_, &xcb_damage_id);
    if (!damage || !damage->present) fail("the X server has no DAMAGE extension");
    damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
    free(xcb_damage_query_version_reply(x_, xcb_damage_query_version(x_, 1, 1), nullptr));

    const std::uint32_t rootEvents = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x_, root_, XCB_CW_EVENT_MASK, &rootEvents);
    free(xcb_get_input_focus_reply(x_, xcb_get_input_focus(x_), nullptr));

    sigset_t set;
    sigemptyset(&set);
    for (int s : {SIGTERM, SIGINT, SIGCHLD}) sigaddset(&set, s);
    sigset_t previous;
    sigprocmask(SIG_BLOCK, &set, &previous);
    signals_ = signalfd(-1, &set, SFD_CLOEXEC);
    launch(command);
}

// The child notes the time just before it becomes the program: that is the start of "start".
void Watch::launch(char** command) {
    int pipe[2];
    if (pipe2(pipe, O_CLOEXEC) != 0) fail("pipe");
    child_ = fork();
    if (child_ < 0) fail("fork");
    if (child_ == 0) {
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        const Nanoseconds at = now();
        (void)!write(pipe[1], &at, sizeof at);
        execvp(command[0], command);
        const int error = errno;
        (void)!write(pipe[1], &error, sizeof error);
        _exit(127);
    }
    close(pipe[1]);
    Nanoseconds at = 0;
    int error = 0;
    if (read(pipe[0], &at, sizeof at) != sizeof at) fail("the child did not start");
    if (read(pipe[0], &error, sizeof error) == sizeof error) fail(std::string("cannot run ") + command[0]);
    close(pipe[0]);
    log("exec %d %lld\n", static_cast<int>(child_), at);
}

void Watch::log(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(log_, format, arguments);
    va_end(arguments);
    std::fflush(log_);
}

int Watch::run() {
    pollfd fds[2] = {{xcb_get_file_descriptor(x_), POLLIN, 0}, {signals_, POLLIN, 0}};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x_)) {
            handle(event, now());
            free(event);
        }
        if (xcb_connection_has_error(x_)) {
            endChild();
            fail("lost the display");
        }
        xcb_flush(x_);
        if (poll(fds, 2, -1) < 0 && errno != EINTR) fail("poll");
        if (fds[1].revents & POLLIN) {
            signalfd_siginfo info{};
            if (read(signals_, &info, sizeof info) != sizeof info) continue;
            if (info.ssi_signo != SIGCHLD) endChild();
            int status = 0;
            if (waitpid(child_, &status, WNOHANG) == child_) {
                log("exit %d %lld\n", WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), now());
                return 0;
            }
        }
    }
}

// Ends the one process this watch started, politely first.
void Watch::endChild() {
    kill(child_, SIGTERM);
    for (int i = 0; i < 30; ++i) {
        if (waitpid(child_, nullptr, WNOHANG) == child_) {
            log("exit ended %lld\n", now());
            std::exit(0);
        }
        usleep(100000);
    }
    kill(child_, SIGKILL);
    waitpid(child_, nullptr, 0);
    log("exit killed %lld\n", now());
    std::exit(0);
}

void Watch::handle(xcb_generic_event_t* event, Nanoseconds at) {
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == damageEvent_) {
        damaged(*reinterpret_cast<xcb_damage_notify_event_t*>(event), at);
        return;
    }
    switch (type) {
    case XCB_CREATE_NOTIFY: {
        const auto* e = reinterpret_cast<xcb_create_notify_event_t*>(event);
        if (e->parent != root_) break;
        log("create 0x%x %lld\n", e->window, at);
        track(e->window, e->parent, e->override_redirect, at);
        break;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto* e = reinterpret_cast<xcb_destroy_notify_event_t*>(event);
        if (e->event == e->window) windows_.erase(e->window);
        break;
    }
    case XCB_REPARENT_NOTIFY: {
        const auto* e = reinterpret_cast<xcb_reparent_notify_event_t*>(event);
        if (const auto w = windows_.find(e->window); w != windows_.end() && e->event == e->window)
            w->second.parent = e->parent;
        break;
    }
    case XCB_MAP_NOTIFY: {
        const auto* e = reinterpret_cast<xcb_map_notify_event_t*>(event);
        if (const auto w = windows_.find(e->window); w != windows_.end() && e->event == e->window)
            mapped(e->window, w->second, at);
        break;
    }
    // A window maximized after its map is painted anew at its new size: that paint is its first
    // full frame as maximized.
    case XCB_CONFIGURE_NOTIFY: {
        const auto* e = reinterpret_cast<xcb_configure_notify_event_t*>(event);
        if (const auto w = windows_.find(e->window); w != windows_.end() && e->event == e->window && w->second.mapped)
            resized(w->second, e->width, e->height);
        break;
    }
    case XCB_PROPERTY_NOTIFY: {
        const auto* e = reinterpret_cast<xcb_property_notify_event_t*>(event);
        const auto w = windows_.find(e->window);
        if (w == windows_.end() || !w->second.mapped || w->second.maximized || e->atom != atom("_NET_WM_STATE")) break;
        if ((w->second.maximized = maximized(e->window))) log("maximized 0x%x %lld\n", e->window, at);
        break;
    }
    case XCB_UNMAP_NOTIFY: {
        const auto* e = reinterpret_cast<xcb_unmap_notify_event_t*>(event);
        const auto w = windows_.find(e->window);
        if (w == windows_.end() || e->event != e->window || !w->second.mapped) break;
        w->second.mapped = false;
        log("unmap 0x%x %lld\n", e->window, at);
        break;
    }
    default: break;
    }
}

// Every new top-level window is watched from its creation, before it can be mapped or drawn.
void Watch::track(xcb_window_t window, xcb_window_t parent, bool overrideRedirect, Nanoseconds at) {
    Window& state = windows_[window];
    state.parent = parent;
    state.overrideRedirect = overrideRedirect;
    const std::uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(x_, window, XCB_CW_EVENT_MASK, &events);
    xcb_damage_create(x_, xcb_generate_id(x_), window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    // A window mapped before the selection took effect would otherwise go unseen.
    auto* attributes = xcb_get_window_attributes_reply(x_, xcb_get_window_attributes(x_, window), nullptr);
    if (attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED) mapped(window, state, at);
    free(attributes);
}

void Watch::mapped(xcb_window_t window, Window& state, Nanoseconds at) {
    if (state.mapped || !isOurs(window, state)) return;
    if (inTray(state)) {
        state.mapped = true;
        log("tray 0x%x %lld %lld\n", window, at, cpuNanoseconds(child_));
        return;
    }
    if (state.overrideRedirect || state.iconOnly) return;
    state.mapped = true;
    state.painted = false;
    state.x0 = state.y0 = state.x1 = state.y1 = 0;
    int width = 0, height = 0;
    if (auto* g = xcb_get_geometry_reply(x_, xcb_get_geometry(x_, window), nullptr)) {
        width = g->width;
        height = g->height;
        free(g);
    }
    state.width = width;
    state.height = height;
    state.maximized = maximized(window);
    log("map 0x%x %lld %dx%d %d %s\n", window, at, width, height, state.maximized ? 1 : 0, title(window).c_str());
}

void Watch::resized(Window& state, int width, int height) {
    if (width == state.width && height == state.height) return;
    state.width = width;
    state.height = height;
    state.painted = false;
    state.x0 = state.y0 = state.x1 = state.y1 = 0;
}

// Painted once everything drawn since the map covers the whole window, as its first full frame does.
void Watch::damaged(const xcb_damage_notify_event_t& event, Nanoseconds at) {
    const auto w = windows_.find(event.drawable);
    if (w == windows_.end()) return;
    Window& s = w->second;
    if (!s.mapped || s.painted || s.overrideRedirect || inTray(s)) return;
    const int x0 = event.area.x, y0 = event.area.y;
    const int x1 = x0 + event.area.width, y1 = y0 + event.area.height;
    if (s.x1 == s.x0) {
        s.x0 = x0, s.y0 = y0, s.x1 = x1, s.y1 = y1;
    } else {
        s.x0 = std::min(s.x0, x0), s.y0 = std::min(s.y0, y0), s.x1 = std::max(s.x1, x1), s.y1 = std::max(s.y1, y1);
    }
    if (s.x0 <= 0 && s.y0 <= 0 && s.x1 >= event.geometry.width && s.y1 >= event.geometry.height) {
        s.painted = true;
        log("painted 0x%x %lld %dx%d %lld\n", event.drawable, at, event.geometry.width, event.geometry.height,
            cpuNanoseconds(child_));
    }
}

bool Watch::isOurs(xcb_window_t window, Window& state) {
    if (state.ours) return *state.ours;
    auto* reply = xcb_get_property_reply(
        x_, xcb_get_property(x_, 0, window, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 0, 1), nullptr);
    // The toolkit names the owner before it maps; a window without an owner yet is asked again later.
    if (!reply || xcb_get_property_value_length(reply) < 4) {
        free(reply);
        return false;
    }
    const int pid = static_cast<int>(*static_cast<std::uint32_t*>(xcb_get_property_value(reply)));
    free(reply);
    state.iconOnly = iconsBy_ != 0 && pid == iconsBy_;
    state.ours = state.iconOnly || descendsFrom(pid, child_);
    return *state.ours;
}

// An XEmbed tray holds its icons in windows of its own: the icon is in the tray when its parent
// was made by the same X client as the owner of the tray's selection.
bool Watch::inTray(const Window& state) {
    if (state.parent == root_) return false;
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(screen_);
    auto* owner = xcb_get_selection_owner_reply(x_, xcb_get_selection_owner(x_, atom(selection.c_str())), nullptr);
    const xcb_window_t tray = owner ? owner->owner : 0;
    free(owner);
    return tray != 0 && (tray & clientMask_) == (state.parent & clientMask_);
}

std::string Watch::title(xcb_window_t window) {
    for (const auto& [name, type] : {std::pair{"_NET_WM_NAME", atom("UTF8_STRING")}, {"WM_NAME", XCB_ATOM_STRING}}) {
        auto* reply = xcb_get_property_reply(x_, xcb_get_property(x_, 0, window, atom(name), type, 0, 256), nullptr);
        if (reply && xcb_get_property_value_length(reply) > 0) {
            std::string text(static_cast<const char*>(xcb_get_property_value(reply)),
                             static_cast<std::size_t>(xcb_get_property_value_length(reply)));
            free(reply);
            return text;
        }
        free(reply);
    }
    return {};
}

bool Watch::maximized(xcb_window_t window) {
    auto* reply = xcb_get_property_reply(
        x_, xcb_get_property(x_, 0, window, atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 32), nullptr);
    if (!reply) return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
    const int count = xcb_get_property_value_length(reply) / 4;
    const xcb_atom_t vertical = atom("_NET_WM_STATE_MAXIMIZED_VERT"), horizontal = atom("_NET_WM_STATE_MAXIMIZED_HORZ");
    const bool both = std::find(atoms, atoms + count, vertical) != atoms + count &&
                      std::find(atoms, atoms + count, horizontal) != atoms + count;
    free(reply);
    return both;
}

xcb_atom_t Watch::atom(const char* name) {
    static std::map<std::string, xcb_atom_t> known;
    if (const auto a = known.find(name); a != known.end()) return a->second;
    auto* reply =
        xcb_intern_atom_reply(x_, xcb_intern_atom(x_, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(reply);
    return known[name] = a;
}

// --- the kernel's view ---------------------------------------------------------------------------

// The earliest expiry of an armed CLOCK_BOOTTIME timerfd in the process tree. The kernel shows
// the time remaining; it is read between two clock readings, which bound the error.
int due(int pid) {
    std::optional<Nanoseconds> earliest;
    for (int p : processTree(pid)) {
        const std::string base = "/proc/" + std::to_string(p);
        for (int fd : numericEntries(base + "/fd")) {
            char target[64] = {};
            const std::string link = base + "/fd/" + std::to_string(fd);
            if (readlink(link.c_str(), target, sizeof target - 1) < 0 || std::strcmp(target, "anon_inode:[timerfd]"))
                continue;
            const Nanoseconds before = now();
            const auto info = readFile(base + "/fdinfo/" + std::to_string(fd));
            const Nanoseconds after = now();
            if (!info || field(*info, "clockid").value_or(-1) != CLOCK_BOOTTIME) continue;
            const auto value = info->find("it_value: (");
            if (value == std::string::npos) continue;
            long long seconds = 0, nanoseconds = 0;
            if (std::sscanf(info->c_str() + value, "it_value: (%lld, %lld)", &seconds, &nanoseconds) != 2) continue;
            if (seconds == 0 && nanoseconds == 0) continue;
            const Nanoseconds at = (before + after) / 2 + seconds * 1000000000LL + nanoseconds;
            if (!earliest || at < *earliest) earliest = at;
        }
    }
    if (!earliest) {
        std::fprintf(stderr, "benchtool: no armed timer in process %d\n", pid);
        return 1;
    }
    std::printf("%lld\n", *earliest);
    return 0;
}

// Resident and proportional set sizes, and the private dirty pages: heap, stacks and written data,
// the one figure that does not move with whatever else on the machine maps the same libraries.
int memory(int pid) {
    long long rss = 0, pss = 0, dirty = 0;
    const auto tree = processTree(pid);
    for (int p : tree) {
        const std::string base = "/proc/" + std::to_string(p);
        if (const auto status = readFile(base + "/status")) rss += field(*status, "VmRSS").value_or(0);
        if (const auto rollup = readFile(base + "/smaps_rollup")) {
            pss += field(*rollup, "Pss").value_or(0);
            dirty += field(*rollup, "Private_Dirty").value_or(0);
        }
    }
    if (tree.empty()) return 1;
    std::printf("%lld %lld %lld %zu\n", rss, pss, dirty, tree.size());
    return 0;
}

struct TaskCost {
    std::string name;
    long long switches = 0;
    long long ticks = 0;
    long long cpuNanoseconds = 0;
};

std::map<int, TaskCost> taskCosts(int pid) {
    std::map<int, TaskCost> costs;
    for (int p : processTree(pid)) {
        const std::string base = "/proc/" + std::to_string(p) + "/task/";
        for (int tid : numericEntries(base)) {
            const std::string task = base + std::to_string(tid);
            TaskCost cost;
            if (const auto comm = readFile(task + "/comm")) cost.name = comm->substr(0, comm->find('\n'));
            if (const auto status = readFile(task + "/status"))
                cost.switches = field(*status, "voluntary_ctxt_switches").value_or(0) +
                                field(*status, "nonvoluntary_ctxt_switches").value_or(0);
            // utime and stime: fields 14 and 15 of stat, counted from the state, the first after the name.
            if (const auto fields = statFields(task + "/stat"); fields.size() > 12)
                cost.ticks = std::atoll(fields[11].c_str()) + std::atoll(fields[12].c_str());
            if (const auto schedstat = readFile(task + "/schedstat"))
                cost.cpuNanoseconds = std::atoll(schedstat->c_str());
            costs[tid] = cost;
        }
    }
    return costs;
}

// Totals on stdout; every thread that woke on stderr, to say who did.
int idle(int pid, int seconds) {
    const auto before = taskCosts(pid);
    if (before.empty()) return 1;
    timespec wait{seconds, 0};
    while (clock_nanosleep(CLOCK_BOOTTIME, 0, &wait, &wait) == EINTR) {
    }
    const auto after = taskCosts(pid);
    TaskCost total;
    for (const auto& [tid, cost] : after) {
        const auto was = before.find(tid);
        const TaskCost start = was == before.end() ? TaskCost{} : was->second;
        const TaskCost spent{cost.name, cost.switches - start.switches, cost.ticks - start.ticks,
                             cost.cpuNanoseconds - start.cpuNanoseconds};
        if (spent.switches || spent.ticks || spent.cpuNanoseconds)
            std::fprintf(stderr, "thread %d %s: %lld switches, %lld ticks, %lld us\n", tid, spent.name.c_str(),
                         spent.switches, spent.ticks, spent.cpuNanoseconds / 1000);
        total.switches += spent.switches;
        total.ticks += spent.ticks;
        total.cpuNanoseconds += spent.cpuNanoseconds;
    }
    for (const auto& [tid, cost] : before)
        if (!after.contains(tid)) std::fprintf(stderr, "thread %d %s ended during the wait\n", tid, cost.name.c_str());
    std::printf("%lld %lld %lld\n", total.switches, total.ticks, total.cpuNanoseconds / 1000);
    return 0;
}

int usage() {
    std::fprintf(
        stderr,
        "usage: benchtool watch LOG [--icons-by PID] -- COMMAND [ARG...] | due PID | memory PID | idle PID SECONDS"
        " | now | sleep-until TIME\n");
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) return usage();
    const std::string command = argv[1];
    if (command == "watch" && argc > 4 && std::strcmp(argv[3], "--") == 0) return Watch(argv[2], 0, argv + 4).run();
    if (command == "watch" && argc > 6 && std::strcmp(argv[3], "--icons-by") == 0 && std::strcmp(argv[5], "--") == 0)
        return Watch(argv[2], std::atoi(argv[4]), argv + 6).run();
    if (command == "due" && argc == 3) return due(std::atoi(argv[2]));
    if (command == "memory" && argc == 3) return memory(std::atoi(argv[2]));
    if (command == "idle" && argc == 4) return idle(std::atoi(argv[2]), std::atoi(argv[3]));
    if (command == "now" && argc == 2) {
        std::printf("%lld\n", now());
        return 0;
    }
    if (command == "sleep-until" && argc == 3) {
        const long long at = std::atoll(argv[2]);
        const timespec until{static_cast<time_t>(at / 1000000000LL), static_cast<long>(at % 1000000000LL)};
        while (clock_nanosleep(CLOCK_BOOTTIME, TIMER_ABSTIME, &until, nullptr) == EINTR) {
        }
        return 0;
    }
    return usage();
}
