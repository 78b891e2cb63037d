#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "platform/Desktop.h"
#include "platform/RuntimeError.h"

namespace {

using namespace platform;

// Answers file dialogs from a queue ("" is a cancel) and records what they were shown with.
class ScriptedDesktop : public Desktop {
  public:
    struct HelpCall {
        QString file;
        int command;
        int context;
    };

    std::deque<QString> answers;
    std::vector<FileDialogProperties> opens;
    std::vector<FileDialogProperties> saves;
    std::vector<HelpCall> helps;

    int MsgBox(const QString&, int, const QString&) override {
        ADD_FAILURE() << "unexpected message box";
        return vbOK;
    }
    QString ShowOpen(const FileDialogProperties& properties) override {
        opens.push_back(properties);
        return Next();
    }
    QString ShowSave(const FileDialogProperties& properties) override {
        saves.push_back(properties);
        return Next();
    }
    void ShowHelp(const QString& helpFile, int command, int context) override {
        helps.push_back({helpFile, command, context});
    }

  private:
    QString Next() {
        if (answers.empty()) {
            ADD_FAILURE() << "no answer scripted";
            return QString();
        }
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Open, rules, then Save As on one dialog object, as the main window uses it.
TEST(CommonDialogTest, PropertiesStayUntilSetAgain) {
    ScriptedDesktop desktop;
    desktop.answers = {"/g/a.tvx", "/g/b.tvx"};
    CommonDialog dialog(desktop);

    dialog.Properties.CancelError = true;
    dialog.Properties.Flags = cdlOFNFileMustExist;
    dialog.Properties.DefaultExt = "tvx";
    dialog.Properties.FileName = "";
    dialog.Properties.InitDir = "/g";
    dialog.Properties.Filter = "Αρχείο Ταρβέξης (*.tvx)|*.tvx|Όλα τα αρχεία (*.*)|*.*";
    dialog.ShowOpen();
    EXPECT_EQ(dialog.Properties.FileName, "/g/a.tvx");

    dialog.HelpCommand = cdlHelpContents;
    dialog.HelpFile = "/p/Tarvex.hlp";
    dialog.ShowHelp();

    dialog.Properties.CancelError = true;
    dialog.Properties.Flags = cdlOFNOverwritePrompt | cdlOFNNoReadOnlyReturn;
    dialog.Properties.FileName = "/h/c.tvx";
    dialog.Properties.Filter = "Αρχείο Ταρβέξης (*.tvx)|*.tvx";
    dialog.ShowSave();
    EXPECT_EQ(dialog.Properties.FileName, "/g/b.tvx");

    ASSERT_EQ(desktop.opens.size(), 1u);
    EXPECT_EQ(desktop.opens[0].InitDir, "/g");
    EXPECT_EQ(desktop.opens[0].FileName, "");
    ASSERT_EQ(desktop.helps.size(), 1u);
    EXPECT_EQ(desktop.helps[0].file, "/p/Tarvex.hlp");
    EXPECT_EQ(desktop.helps[0].command, cdlHelpContents);
    ASSERT_EQ(desktop.saves.size(), 1u);
    const FileDialogProperties& save = desktop.saves[0];
    EXPECT_EQ(save.Flags, 32770);
    EXPECT_EQ(save.FileName, "/h/c.tvx");
    EXPECT_EQ(save.Filter, "Αρχείο Ταρβέξης (*.tvx)|*.tvx");
    // Not set by the save: left from the open.
    EXPECT_EQ(save.DefaultExt, "tvx");
    EXPECT_EQ(save.InitDir, "/g");
    EXPECT_TRUE(save.CancelError);
}

TEST(CommonDialogTest, CancelRaises32755OnlyWithCancelError) {
    for (const bool cancelError : {true, false}) {
        for (const bool save : {false, true}) {
            SCOPED_TRACE((save ? "save, CancelError " : "open, CancelError ") +
                         std::to_string(cancelError));
            ScriptedDesktop desktop;
            desktop.answers = {"", "/g/chosen.tvx"};
            CommonDialog dialog(desktop);
            dialog.Properties.CancelError = cancelError;
            dialog.Properties.FileName = "/g/proposed.tvx";
            const auto show = [&] { save ? dialog.ShowSave() : dialog.ShowOpen(); };

            if (cancelError) {
                try {
                    show();
                    ADD_FAILURE() << "a cancel raised nothing";
                } catch (const RuntimeError& e) {
                    EXPECT_EQ(e.Number(), ErrDialogCancelled);
                }
            } else {
                EXPECT_NO_THROW(show());
            }
            EXPECT_EQ(dialog.Properties.FileName, "");

            // A confirmed choice raises nothing, whatever CancelError says.
            EXPECT_NO_THROW(show());
            EXPECT_EQ(dialog.Properties.FileName, "/g/chosen.tvx");
        }
    }
}

}  // namespace
