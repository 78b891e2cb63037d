#include <QFile>
#include <QTemporaryDir>
#include <QWindow>
#include <functional>

#include "WindowFixture.h"
#include "dialogs/frmOptions.h"
#include "files/GameFile.h"
#include "game/GameLayouts.h"
#include "platform/SettingsStore.h"
#include "platform/TextFile.h"
#include "recent/mdlRecentFiles.h"
#include "support/FileSizeLimit.h"

namespace {

// Game 3 after its big piece has moved one cell right.
const char* kMoved = "30 40 40 30 / 31 40 40 31 / 30 0 10 11 / 31 0 12 13 / 20 21 20 21";
const QString kInPlayCaption = QStringLiteral("Ταρβέξη-Παιχνίδι 3*");

// The game in play holds an unsaved move and no file; another game file exists and leads the
// recent list.
class SavePromptFixture : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        StartGame(3, false);
        desktop.fileNames = {Other()};
        window->M0SaveAs_Click();
        window->Menu11->Action()->trigger();
        DragPiece(2, 3, 1, 0);
        ASSERT_EQ(window->Board, Rows(kMoved));
        ASSERT_TRUE(window->CurrentFilePath.isEmpty());
        desktop.messages.clear();
        desktop.dialogs.clear();
    }

    QString Other() const { return folder.filePath(QStringLiteral("other.tvx")); }
    QString Kept() const { return folder.filePath(QStringLiteral("kept.tvx")); }

    QString StoredRecentEntry() const {
        return platform::GetSetting(QStringLiteral("Tarvex") + mdlBasic::VersionText,
                                    QStringLiteral("MenuRecentPaths"), QStringLiteral("1"));
    }

    QTemporaryDir folder;
};

class SavePromptTest;

// A command that leaves the game in play, and what it has done once the game was saved.
struct Caller {
    const char* name;
    bool closes;
    std::function<void(SavePromptTest&)> run;
    std::function<void(SavePromptTest&)> wentOn;
};

enum class Outcome { DialogCancelled, WriteFails, WriteSucceeds };

class SavePromptTest : public SavePromptFixture,
                       public testing::WithParamInterface<std::tuple<int, Outcome>> {
  public:
    static const std::vector<Caller>& Callers();
    static std::string CaseName(const testing::TestParamInfo<ParamType>& info);
};

std::string SavePromptTest::CaseName(const testing::TestParamInfo<ParamType>& info) {
    static const char* outcomes[] = {"DialogCancelled", "WriteFails", "WriteSucceeds"};
    return std::string(Callers()[std::get<0>(info.param)].name) +
           outcomes[static_cast<int>(std::get<1>(info.param))];
}

const std::vector<Caller>& SavePromptTest::Callers() {
    static const std::vector<Caller> callers = {
        {"NewGame", false, [](auto& t) { t.window->Menu11->Action()->trigger(); },
         [](auto& t) { EXPECT_EQ(t.window->Board, game::GetGameLayout(3).start); }},
        {"Reverse", false, [](auto& t) { t.window->Menu14->Action()->trigger(); },
         [](auto& t) {
             EXPECT_EQ(t.window->Menu14->Caption(), kReverseOn);
             EXPECT_EQ(t.window->Board, game::GetGameLayout(3).goal);
         }},
        {"ChooserOk", false,
         [](auto& t) {
             t.desktop.onModal = [](QDialog& dialog) {
                 auto& chooser = dynamic_cast<frmOptions&>(dialog);
                 chooser.Frame_Click(4);
                 chooser.Command1_Click();
             };
             t.window->Menu12->Action()->trigger();
         },
         [](auto& t) {
             EXPECT_EQ(mdlBasic::GameNumber, 4);
             EXPECT_EQ(t.window->Board, game::GetGameLayout(4).start);
         }},
        {"Open", false, [](auto& t) { t.window->M0Open->Action()->trigger(); },
         [](auto& t) {
             ASSERT_FALSE(t.desktop.dialogs.empty());
             EXPECT_FALSE(t.desktop.dialogs.back().save);  // the open dialog came
         }},
        {"RecentEntry", false, [](auto& t) { t.window->MRecent[0]->Action()->trigger(); },
         [](auto& t) { EXPECT_EQ(t.window->CurrentFilePath, t.Other()); }},
        {"Drop", false, [](auto& t) { t.window->Form_OLEDragDrop({t.Other()}); },
         [](auto& t) { EXPECT_EQ(t.window->CurrentFilePath, t.Other()); }},
        {"Exit", true, [](auto& t) { t.window->Menu15->Action()->trigger(); },
         [](auto& t) { EXPECT_FALSE(t.window->isVisible()); }},
        {"CloseBox", true, [](auto& t) { t.window->windowHandle()->close(); },
         [](auto& t) { EXPECT_FALSE(t.window->isVisible()); }},
    };
    return callers;
}

// Yes at the unsaved-game prompt asks for the game to be kept: when no save comes of it, the
// command stops as on Cancel; when the save succeeds, the command goes on.
TEST_P(SavePromptTest, YesWithoutACompletedSaveKeepsTheGame) {
    const Caller& caller = Callers()[std::get<0>(GetParam())];
    const Outcome outcome = std::get<1>(GetParam());
    desktop.answers = {platform::vbYes};
    if (outcome == Outcome::WriteFails) {
        desktop.fileNames = {folder.filePath(QStringLiteral("no such folder/kept.tvx"))};
    } else if (outcome == Outcome::WriteSucceeds) {
        desktop.fileNames = {Kept()};
    }

    caller.run(*this);

    ASSERT_FALSE(desktop.messages.empty());
    EXPECT_EQ(desktop.messages[0].title, QStringLiteral("Έξοδος από το τρέχον παιχνίδι"));
    if (outcome == Outcome::WriteSucceeds) {
        const files::GameFileData saved = ReadBack(Kept());
        EXPECT_EQ(saved.GameNumber, 3);
        EXPECT_EQ(saved.Board, Rows(kMoved));
        EXPECT_FALSE(window->GameChanged);
        caller.wentOn(*this);
        if (caller.closes) {
            EXPECT_EQ(StoredRecentEntry(), Kept());
        }
        return;
    }
    if (outcome == Outcome::WriteFails) {
        ASSERT_EQ(desktop.messages.size(), 2u);
        EXPECT_EQ(desktop.messages[1].title, QStringLiteral("Σφάλμα αποθήκευσης"));
    } else {
        EXPECT_EQ(desktop.messages.size(), 1u);
    }
    for (const auto& dialog : desktop.dialogs) {
        EXPECT_TRUE(dialog.save) << "no open dialog after a save that did not happen";
    }
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Board, Rows(kMoved));
    EXPECT_EQ(window->History.Index(), 1);
    EXPECT_EQ(window->History.Last(), 1);
    EXPECT_TRUE(window->GameChanged);
    EXPECT_EQ(window->windowTitle(), kInPlayCaption);
    EXPECT_TRUE(window->CurrentFilePath.isEmpty());
    EXPECT_EQ(mdlBasic::GameNumber, 3);
    EXPECT_EQ(window->Menu14->Caption(), kReverseOff);
    EXPECT_EQ(window->TargetBoard, game::GetGameLayout(3).goal);
    EXPECT_EQ(mdlRecentFiles::RecentPaths[1], Other());
    if (caller.closes) {
        // Written at every close, a close that stays open included.
        EXPECT_EQ(StoredRecentEntry(), Other());
    }
}

INSTANTIATE_TEST_SUITE_P(CallersAndOutcomes, SavePromptTest,
                         testing::Combine(testing::Range(0, 8),
                                          testing::Values(Outcome::DialogCancelled,
                                                          Outcome::WriteFails,
                                                          Outcome::WriteSucceeds)),
                         SavePromptTest::CaseName);

using SaveFailureTest = SavePromptFixture;

TEST_F(SaveFailureTest, SaveCutShortKeepsTheOldFileAndTheGame) {
    desktop.fileNames = {Kept()};
    window->M0Save_Click();
    DragPiece(3, 3, -1, 0);  // back where it started
    QFile file(Kept());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    const QString caption = window->windowTitle();
    ASSERT_EQ(caption, QStringLiteral("Ταρβέξη-Παιχνίδι 3-kept*"));

    // Over the same file with Save, and over the other existing file with Save As.
    {
        const testsupport::FileSizeLimit limit(100);
        ASSERT_TRUE(limit.Applied());
        window->M0Save_Click();
        desktop.fileNames = {Other()};
        window->M0SaveAs_Click();
    }

    ASSERT_EQ(desktop.messages.size(), 2u);
    for (const auto& message : desktop.messages) {
        EXPECT_EQ(message.title, QStringLiteral("Σφάλμα αποθήκευσης"));
        EXPECT_TRUE(message.prompt.endsWith(QStringLiteral(". Κωδικός σφάλματος 75")))
            << message.prompt.toStdString();
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_EQ(ReadBack(Other()).GameNumber, 3);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_TRUE(window->GameChanged);
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(window->CurrentFilePath, Kept());
    EXPECT_EQ(mdlRecentFiles::RecentPaths[1], Kept());
    EXPECT_EQ(mdlRecentFiles::RecentPaths[2], Other());
}

}  // namespace
