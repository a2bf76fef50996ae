// Time from process start to the first paint of the main window, against a
// bare Qt Widgets window started the same way, as a ratio. A third kind, a
// bare window with one line of Chinese text, shows how much of the
// difference is the font set-up any window with Chinese text pays.
//
// The parent starts each child with the monotonic clock reading taken just
// before the fork; the child reads the same clock when its window first
// paints and prints the difference. Children alternate so that both kinds
// see the same machine load.
#include "form_window.h"
#include "main_window_ids.h"
#include "program.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

long long monotonicMicros() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000LL + ts.tv_nsec / 1000;
}

// Reports the time once the window's first paint has finished, children
// and text included, and ends the process.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(long long startedAt) : m_startedAt(startedAt) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            QTimer::singleShot(0, this, [this] {
                std::printf("%lld\n", monotonicMicros() - m_startedAt);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    long long m_startedAt;
    bool m_done = false;
};

int runChild(const char* kind, long long startedAt, int argc, char** argv) {
    QApplication app(argc, argv);
    FirstPaint probe(startedAt);
    if (std::strcmp(kind, "numvale") == 0) {
        configureFloatingPoint();
        static Program program; // lives until the process ends
        if (!program.start())
            return 2;
        program.runtime().window(mainwindow::window)->installEventFilter(&probe);
    } else if (std::strcmp(kind, "label") == 0) {
        static QLabel label(QStringLiteral("数学计算能力测试（一）"));
        label.resize(725, 515);
        label.installEventFilter(&probe);
        label.show();
    } else {
        static QWidget bare;
        bare.resize(725, 515);
        bare.installEventFilter(&probe);
        bare.show();
    }
    return QApplication::exec();
}

double runOnce(const char* self, const char* kind) {
    char startedAt[32];
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    char* args[] = {const_cast<char*>(self), const_cast<char*>(kind), startedAt, nullptr};
    pid_t pid = 0;
    std::snprintf(startedAt, sizeof startedAt, "%lld", monotonicMicros());
    const int spawned = posix_spawn(&pid, self, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    char buffer[64] = {};
    const ssize_t got = spawned == 0 ? read(pipeFds[0], buffer, sizeof buffer - 1) : -1;
    close(pipeFds[0]);
    int status = 0;
    if (spawned == 0)
        waitpid(pid, &status, 0);
    return got > 0 ? std::atof(buffer) / 1000.0 : -1;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3)
        return runChild(argv[1], std::atoll(argv[2]), argc, argv);

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<double> numvale;
    std::vector<double> bare;
    std::vector<double> label;
    for (int i = 0; i < runs; ++i) {
        const double n = runOnce(argv[0], "numvale");
        const double b = runOnce(argv[0], "bare");
        const double l = runOnce(argv[0], "label");
        if (n < 0 || b < 0 || l < 0) {
            std::fprintf(stderr, "a child did not report its first paint\n");
            return 1;
        }
        numvale.push_back(n);
        bare.push_back(b);
        label.push_back(l);
    }
    const double n = median(numvale);
    const double b = median(bare);
    const double l = median(label);
    std::printf("start to first paint, median of %d runs (QPA %s):\n", runs,
                qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default"))
                    .toLocal8Bit()
                    .constData());
    std::printf("  numvale main window  %7.1f ms\n", n);
    std::printf("  bare Qt window       %7.1f ms\n", b);
    std::printf("  bare window + label  %7.1f ms\n", l);
    std::printf("  ratio to bare        %7.2f (goal: at most 1.30)\n", n / b);
    std::printf("  ratio to label       %7.2f\n", n / l);
    return 0;
}
