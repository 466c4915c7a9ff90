#include "core/app/Error.h"
#include "core/app/ui_Error.h"
#include "fakes/FakeMisc.h"
#include "fakes/FakeSystemInfo.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace ov {
namespace {

const QString kTitleLine = QStringLiteral(
    "Orvane Player v1.0 (build 211) RC 1 has detected a problem and will be terminated...");
const QString kRequestLine =
    QStringLiteral("Please report this info to the bugs@example.org, with detailed description "
                   "what were you doing. Error message:");

TEST(ErrorReport, LinesWithAndWithoutSender) {
    const struct {
        QString sender;
        QStringList lines;
    } cases[] = {
        {{}, {kTitleLine, "", kRequestLine, "", "Access denied", "EAccessViolation"}},
        {"TForm1",
         {kTitleLine, "", kRequestLine, "", "Access denied", "TForm1", "EAccessViolation"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sender.toStdString());
        EXPECT_EQ(ErrorReportLines("1.0 (build 211)", "bugs@example.org",
                                   {"Access denied", c.sender, "EAccessViolation"}),
                  c.lines);
    }
}

TEST(ErrorReport, DescribesMessageAndClassOfTheException) {
    // A colour value the colour control refuses arrives as the player's own error; its text
    // is not ASCII.
    const Error refused(QStringLiteral("Helligkeit 20000 außerhalb −10000…10000"));
    const std::out_of_range range("vector::at");
    const std::runtime_error unknown("Unknown exception");
    const struct {
        const std::exception& error;
        QString message;
        QString className;
    } cases[] = {
        {refused, refused.Message(), "ov::Error"},
        {range, "vector::at", "std::out_of_range"},
        {unknown, "Unknown exception", "std::runtime_error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.className.toStdString());
        const ErrorDetails details = DescribeException(c.error, "QTimer");
        EXPECT_EQ(details.message, c.message);
        EXPECT_EQ(details.exceptionClass, c.className);
        EXPECT_EQ(details.senderClass, "QTimer");
    }
}

TEST(ErrorReport, SupportAddressIsConfigurable) {
    const QByteArray previous = qgetenv("ORVANE_SUPPORT_EMAIL");
    qputenv("ORVANE_SUPPORT_EMAIL", " help@example.net ");
    EXPECT_EQ(SupportAddress(), "help@example.net");
    qputenv("ORVANE_SUPPORT_EMAIL", "");
    EXPECT_TRUE(SupportAddress().contains('@'));
    qputenv("ORVANE_SUPPORT_EMAIL", previous);
}

// The report a reporter opens, with the calls its buttons make.
struct ErrorReportFlow : ::testing::Test {
    ErrorReportFlow() { system.programVersion = ProgramVersion{1, 0, 0, 211}; }

    test::FakeSystemInfo system;
    test::FakeClipboard clipboard;
    std::vector<std::shared_ptr<ErrorReport>> shown;
    std::vector<int> exitCodes;
    ErrorReporter reporter{system, &clipboard,
                           [this](std::shared_ptr<ErrorReport> r) { shown.push_back(r); },
                           [this](int code) { exitCodes.push_back(code); }};
};

TEST_F(ErrorReportFlow, CopyLeavesTheWholeReportAndContinueNeverEnds) {
    const auto report = reporter.Report(Error("boom"));
    ASSERT_TRUE(report);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(report->Lines().size(), 6);
    EXPECT_EQ(report->Lines().front(), kTitleLine);

    report->Copy();
    EXPECT_EQ(clipboard.text.split('\n'), report->Lines());
    EXPECT_FALSE(report->Closed());

    report->Continue();
    EXPECT_TRUE(report->Closed());
    EXPECT_TRUE(exitCodes.empty());
}

TEST_F(ErrorReportFlow, TerminateEndsWithAFailureCode) {
    const auto report = reporter.Report(std::runtime_error("boom"));
    report->Terminate();
    EXPECT_EQ(exitCodes, std::vector<int>{kTerminateExitCode});
    EXPECT_NE(kTerminateExitCode, 0);
}

TEST_F(ErrorReportFlow, RepeatsOfAnOpenReportAreNotOpenedAgain) {
    // A timer that throws on every tick.
    const auto first = reporter.Report(Error("tick failed"));
    EXPECT_FALSE(reporter.Report(Error("tick failed")));
    EXPECT_FALSE(reporter.Report(Error("tick failed")));
    // Another message, or another class, is another report.
    EXPECT_TRUE(reporter.Report(Error("other")));
    EXPECT_TRUE(reporter.Report(std::runtime_error("tick failed")));
    EXPECT_EQ(shown.size(), 3u);

    first->Continue();
    EXPECT_TRUE(reporter.Report(Error("tick failed")));
    // A report whose dialog is gone counts as closed too.
    shown.clear();
    EXPECT_TRUE(reporter.Report(Error("other")));
}

TEST(ErrorReport, NothingToCopyToWithoutAClipboard) {
    ErrorReport report({"a", "b"}, nullptr, {});
    report.Copy();
    report.Terminate();
    EXPECT_EQ(report.Text(), "a\nb");
}

} // namespace
} // namespace ov
