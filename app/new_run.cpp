// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/new_run.h"

#include "version.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <QWindow>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ; // NOLINT(readability-redundant-declaration): POSIX declares it nowhere

namespace keyloom {
namespace {

// The descriptor on which the new run reports its window up, and the
// variables that tell it which one and where the old window stood.
constexpr int kReadyFd = 3;
constexpr std::string_view kReadyVariable = "KEYLOOM_READY_FD";
constexpr std::string_view kPlaceVariable = "KEYLOOM_WINDOW_POS";

class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
    Descriptor& operator=(Descriptor&&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    [[nodiscard]] int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

void fail(const char* what) {
    throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

// The lesson's bytes in an anonymous memory file, read from its start.
Descriptor memoryFileOf(const std::string& bytes) {
    Descriptor file(::memfd_create("keyloom-lesson", MFD_CLOEXEC));
    if (file.get() < 0) {
        fail("memfd_create");
    }
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(file.get(), bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno != EINTR) {
            fail("write");
        }
        done += wrote > 0 ? static_cast<std::size_t>(wrote) : 0;
    }
    if (::lseek(file.get(), 0, SEEK_SET) != 0) {
        fail("lseek");
    }
    return file;
}

// This program's environment for the new run: its own variables set anew,
// no startup id or activation token of this program's own start.
std::vector<std::string> environmentFor(const QWidget& window, OldWindow old) {
    std::vector<std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view variable(*entry);
        const std::string_view name = variable.substr(0, variable.find('='));
        if (name != kReadyVariable && name != kPlaceVariable && name != "DESKTOP_STARTUP_ID" &&
            name != "XDG_ACTIVATION_TOKEN") {
            variables.emplace_back(variable);
        }
    }
    variables.push_back(std::string(kReadyVariable) + "=" + std::to_string(kReadyFd));
    const WindowPlace place = newWindowPlace({.x = window.pos().x(), .y = window.pos().y()}, old);
    variables.push_back(std::string(kPlaceVariable) + "=" + std::to_string(place.x) + "," +
                        std::to_string(place.y));
    return variables;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (std::string& text : strings) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Starts the new run detached (a grandchild, so it is nobody's zombie, in a
// session of its own, so a hang-up or Ctrl+C meant for the old program's
// terminal does not end it) with `input` as its standard input and `ready`
// as kReadyFd.
void spawn(const QWidget& window, OldWindow old, const std::vector<std::string>& arguments,
           int input, int ready) {
    std::vector<std::string> argvStrings{
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString()};
    argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
    argvStrings.emplace_back("-");
    std::vector<std::string> envStrings = environmentFor(window, old);
    std::vector<char*> argv = pointersTo(argvStrings);
    std::vector<char*> envp = pointersTo(envStrings);
    // Between fork and exec only async-signal-safe calls.
    const pid_t child = ::fork();
    if (child < 0) {
        fail("fork");
    }
    if (child == 0) {
        if (::fork() == 0) {
            if (::setsid() >= 0 && ::dup2(input, STDIN_FILENO) >= 0 &&
                ::dup2(ready, kReadyFd) >= 0) {
                ::execve("/proc/self/exe", argv.data(), envp.data());
            }
            ::_exit(127);
        }
        ::_exit(0);
    }
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

void tell(QWidget& window, const QString& message) {
    QMessageBox::warning(&window, QString::fromUtf16(kApplicationTitle), message);
}

// One hand-over at a time: a second F3 before the first window is up starts
// nothing more.
bool handingOver = false;

} // namespace

void startNewRun(QWidget& window, const std::u16string& text, OldWindow old,
                 const std::vector<std::string>& arguments) {
    if (handingOver) {
        return;
    }
    int readyRead = -1;
    try {
        const Descriptor input = memoryFileOf(handOverBytes(text));
        int readyPipe[2];
        if (::pipe2(readyPipe, O_CLOEXEC) != 0) {
            fail("pipe2");
        }
        Descriptor readEnd(readyPipe[0]);
        // Above the descriptors dup2 fills in the new run.
        const Descriptor writeEnd(::fcntl(readyPipe[1], F_DUPFD_CLOEXEC, kReadyFd + 1));
        ::close(readyPipe[1]);
        if (writeEnd.get() < 0) {
            fail("fcntl");
        }
        spawn(window, old, arguments, input.get(), writeEnd.get());
        readyRead = readEnd.release();
    } catch (const std::exception& error) {
        tell(window,
             QStringLiteral("无法开始新的练习：%1").arg(QString::fromLocal8Bit(error.what())));
        return;
    }
    handingOver = true;
    // One byte when the new window is up; the end of the pipe without it
    // when the new run ended before.
    auto* notifier = new QSocketNotifier(readyRead, QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [notifier, &window, old] {
        char byte = 0;
        ssize_t got = 0;
        do {
            got = ::read(static_cast<int>(notifier->socket()), &byte, 1);
        } while (got < 0 && errno == EINTR);
        ::close(static_cast<int>(notifier->socket()));
        notifier->deleteLater();
        notifier->setEnabled(false);
        handingOver = false;
        if (got != 1) {
            tell(window, QStringLiteral("新的练习没能开始，这次练习照旧继续。"));
        } else if (old == OldWindow::Replace) {
            window.close();
        }
    });
}

void placeLikeStarter(QWidget& window) {
    const QByteArray place = qgetenv(kPlaceVariable.data());
    qunsetenv(kPlaceVariable.data());
    const QList<QByteArray> xy = place.split(',');
    bool xOk = false;
    bool yOk = false;
    if (xy.size() == 2) {
        const int x = xy[0].toInt(&xOk);
        const int y = xy[1].toInt(&yOk);
        if (xOk && yOk) {
            window.move(x, y);
        }
    }
}

void tellStarterWhenShown(QWidget& window) {
    bool ok = false;
    const int fd = qEnvironmentVariableIntValue(kReadyVariable.data(), &ok);
    qunsetenv(kReadyVariable.data());
    if (!ok || fd < 0 || window.windowHandle() == nullptr) {
        return;
    }
    // Not inherited by the programs the about box starts.
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);

    class OnExposed : public QObject {
      public:
        OnExposed(QWidget& window, int fd) : QObject(&window), window_(window), fd_(fd) {}

      protected:
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Expose && window_.windowHandle()->isExposed()) {
                window_.activateWindow();
                const char byte = 1;
                // The old window stays if this fails: nothing else to do.
                [[maybe_unused]] const ssize_t told = ::write(fd_, &byte, 1);
                ::close(fd_);
                watched->removeEventFilter(this);
                deleteLater();
            }
            return false;
        }

      private:
        QWidget& window_;
        int fd_;
    };
    window.windowHandle()->installEventFilter(new OnExposed(window, fd));
}

} // namespace keyloom
