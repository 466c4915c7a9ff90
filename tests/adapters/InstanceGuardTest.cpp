#include "adapters/qt/LocalInstanceGuard.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace ov {
namespace {

// The test binary runs itself as the competing player processes.
constexpr char captionVar[] = "ORVANE_GUARD_TEST_CAPTION";
constexpr char modeVar[] = "ORVANE_GUARD_TEST_MODE";
constexpr char stayVar[] = "ORVANE_GUARD_TEST_STAY_MS";
constexpr char expectVar[] = "ORVANE_GUARD_TEST_EXPECT";
constexpr char roundsVar[] = "ORVANE_GUARD_TEST_ROUNDS";
constexpr char syncVar[] = "ORVANE_GUARD_TEST_SYNC"; // read round 0's moment from stdin
constexpr int roundSpacingMs = 40;
const QString windowClass = QStringLiteral("TForm1");

// Each round is a separate identity, so one set of processes can race many times.
QString RoundCaption(const QString& caption, int round) {
    return round == 0 ? caption : caption + "/" + QString::number(round);
}

QByteArray Marker(int round, const char* what) {
    return "GUARD:" + QByteArray::number(round) + ":" + what + "\n";
}

void Say(int round, const char* what) {
    std::fputs(Marker(round, what).constData(), stdout);
    std::fflush(stdout);
}

// Sleeps to just before the moment, then spins to it: sleeping alone wakes too unevenly for
// processes to meet at connect-or-listen.
void WaitUntil(qint64 msecsSinceEpoch) {
    const std::chrono::system_clock::time_point at{std::chrono::milliseconds(msecsSinceEpoch)};
    std::this_thread::sleep_until(at - std::chrono::milliseconds(2));
    while (std::chrono::system_clock::now() < at) {
    }
}

// Not a test of its own: one competing process, started by the tests below.
TEST(InstanceGuardChild, DISABLED_Run) {
    const QString caption = qEnvironmentVariable(captionVar);
    if (caption.isEmpty()) GTEST_SKIP() << "started by the instance guard tests only";
    const int stayMs = qEnvironmentVariableIntValue(stayVar);
    if (qEnvironmentVariable(modeVar) == "holdlock") {
        QLockFile lock(LocalInstanceGuard::LockPath(windowClass, caption));
        ASSERT_TRUE(lock.lock());
        Say(0, "locked");
        QThread::msleep(stayMs);
        return;
    }
    const int rounds = std::max(1, qEnvironmentVariableIntValue(roundsVar));
    qint64 at = 0;
    if (qEnvironmentVariableIntValue(syncVar)) {
        // Started processes get going unevenly; the parent names the moment once all are up.
        Say(0, "ready");
        std::string line;
        if (std::getline(std::cin, line)) at = QByteArray::fromStdString(line).toLongLong();
    }
    const int expected = qEnvironmentVariableIntValue(expectVar);
    int activations = 0;
    QEventLoop loop;
    std::vector<std::unique_ptr<LocalInstanceGuard>> primaries;
    for (int round = 0; round < rounds; ++round) {
        if (at > 0) WaitUntil(at + round * roundSpacingMs);
        auto guard = std::make_unique<LocalInstanceGuard>();
        if (guard->BringRunningToFront(windowClass, RoundCaption(caption, round))) {
            Say(round, "secondary");
            continue;
        }
        Say(round, "primary");
        // Requests that came while this process was busy with later rounds wait in the socket.
        guard->OnActivateRequest = [&, round] {
            Say(round, "activated");
            if (++activations == expected) loop.quit();
        };
        primaries.push_back(std::move(guard));
    }
    if (primaries.empty()) return;
    QTimer::singleShot(stayMs, &loop, &QEventLoop::quit);
    loop.exec();
}

class InstanceGuardTest : public ::testing::Test {
protected:
    // A guard identity of this test alone, so a real running player is never seen.
    QString Caption() const {
        const QString name =
            test::Home() + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        return "Form1-" + QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Md5).toHex();
    }

    struct Options {
        QString mode = "guard";
        int stayMs = 0;
        int expectedActivations = 0; // a primary quits once it has had this many
        int rounds = 1;
        bool synchronised = false;
    };

    QProcess* Start(const Options& options) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(captionVar, Caption());
        env.insert(modeVar, options.mode);
        env.insert(stayVar, QString::number(options.stayMs));
        env.insert(expectVar, QString::number(options.expectedActivations));
        env.insert(roundsVar, QString::number(options.rounds));
        env.insert(syncVar, options.synchronised ? "1" : "0");
        process->setProcessEnvironment(env);
        process->start(
            QCoreApplication::applicationFilePath(),
            {"--gtest_filter=InstanceGuardChild.DISABLED_Run", "--gtest_also_run_disabled_tests"});
        children_.push_back(std::move(process));
        return children_.back().get();
    }

    // Collects the child's output until it holds the marker or the child has ended.
    static bool WaitFor(QProcess* process, QByteArray& output, const QByteArray& marker) {
        QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired()) {
            output += process->readAllStandardOutput();
            if (output.contains(marker)) return true;
            if (process->state() == QProcess::NotRunning) break;
            process->waitForReadyRead(50);
        }
        output += process->readAllStandardOutput();
        return output.contains(marker);
    }

    static QByteArray Finish(QProcess* process, QByteArray output = {}) {
        EXPECT_TRUE(process->waitForFinished(15000));
        EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        return output + process->readAllStandardOutput();
    }

    void TearDown() override {
        for (auto& child : children_) {
            if (child->state() != QProcess::NotRunning) {
                child->kill();
                child->waitForFinished(5000);
            }
        }
    }

    std::vector<std::unique_ptr<QProcess>> children_;
};

TEST_F(InstanceGuardTest, SecondStartActivatesTheFirst) {
    QProcess* first = Start({.stayMs = 10000, .expectedActivations = 1});
    QByteArray firstOutput;
    ASSERT_TRUE(WaitFor(first, firstOutput, Marker(0, "primary"))) << firstOutput.toStdString();

    const QByteArray secondOutput = Finish(Start({}));
    EXPECT_TRUE(secondOutput.contains(Marker(0, "secondary"))) << secondOutput.toStdString();

    // The first quits on its one activation, long before its stay is over.
    firstOutput = Finish(first, firstOutput);
    EXPECT_EQ(firstOutput.count(Marker(0, "activated")), 1) << firstOutput.toStdString();
}

TEST_F(InstanceGuardTest, SimultaneousStartsGiveOnePrimary) {
    // The race window is microseconds wide; many rounds make a lost lock show almost surely.
    constexpr int starts = 6;
    constexpr int rounds = 10;
    std::vector<QProcess*> processes;
    for (int i = 0; i < starts; ++i)
        processes.push_back(Start({.stayMs = 2500, .rounds = rounds, .synchronised = true}));
    for (QProcess* process : processes) {
        QByteArray output;
        ASSERT_TRUE(WaitFor(process, output, Marker(0, "ready"))) << output.toStdString();
    }
    const QByteArray at = QByteArray::number(QDateTime::currentMSecsSinceEpoch() + 100) + "\n";
    for (QProcess* process : processes) {
        process->write(at);
        ASSERT_TRUE(process->waitForBytesWritten(5000));
    }
    QByteArray all;
    for (QProcess* process : processes)
        all += Finish(process);
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(round);
        EXPECT_EQ(all.count(Marker(round, "primary")), 1) << all.toStdString();
        EXPECT_EQ(all.count(Marker(round, "secondary")), starts - 1);
        EXPECT_EQ(all.count(Marker(round, "activated")), starts - 1);
    }
}

TEST_F(InstanceGuardTest, CrashedPlayerDoesNotBlockTheNextStart) {
    const struct {
        const char* mode;
        const char* marker;
    } crashes[] = {{"guard", "primary"}, {"holdlock", "locked"}};
    for (const auto& crash : crashes) {
        SCOPED_TRACE(crash.mode);
        QProcess* crashed = Start({.mode = crash.mode, .stayMs = 30000});
        QByteArray output;
        ASSERT_TRUE(WaitFor(crashed, output, Marker(0, crash.marker))) << output.toStdString();
        crashed->kill(); // SIGKILL: no clean-up of the socket or the lock
        ASSERT_TRUE(crashed->waitForFinished(5000));

        const QByteArray next = Finish(Start({.stayMs = 100}));
        EXPECT_TRUE(next.contains(Marker(0, "primary"))) << next.toStdString();
        // The stale lock was taken over, not merely waited out.
        EXPECT_FALSE(QFileInfo::exists(LocalInstanceGuard::LockPath(windowClass, Caption())));
    }
}

TEST(InstanceGuard, NamesLiveInTheRuntimeFolder) {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString server = LocalInstanceGuard::ServerPath("TForm1", "Form1");
    EXPECT_TRUE(server.startsWith(runtime + "/")) << server.toStdString();
    EXPECT_LT(server.toUtf8().size(), 108); // sun_path
    EXPECT_NE(server, LocalInstanceGuard::ServerPath("TForm1", "Form2"));
    EXPECT_NE(server, LocalInstanceGuard::LockPath("TForm1", "Form1"));
}

TEST(InstanceGuard, RaisePriorityNeverLowersIt) {
    // Nice values are per thread on Linux, so a thread of its own keeps the test runner as it is.
    int before = 0, after = 0, error = 0;
    std::thread([&] {
        setpriority(PRIO_PROCESS, 0, 5);
        errno = 0;
        before = getpriority(PRIO_PROCESS, 0);
        LocalInstanceGuard().RaisePriority();
        after = getpriority(PRIO_PROCESS, 0);
        error = errno;
    }).join();
    ASSERT_EQ(error, 0);
    EXPECT_EQ(before, 5);
    EXPECT_LE(after, before);
    EXPECT_GE(after, -10);
}

} // namespace
} // namespace ov
