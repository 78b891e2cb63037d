#pragma once

#include <QFileDialog>
#include <QFileIconProvider>
#include <QLineEdit>
#include <QListView>
#include <QSplitter>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QTreeView>
#include <memory>

#include "platform/Desktop.h"

namespace platform {

namespace detail {
// A base before QFileDialog, so that the provider outlives the dialog's model, which keeps a
// pointer to it until the end.
struct FileTypesOwner {
    std::unique_ptr<QFileIconProvider> fileTypes;
};

// A base before QFileDialog, whose constructor already builds the desktop's own dialog where the
// platform theme offers one (GTK, a portal) and then none of Qt's widgets. Native dialogs stay
// off for the application from here until Release(), once the dialog has its own option, or
// until a constructor fails.
class NativeDialogsHeldOff {
  protected:
    NativeDialogsHeldOff();
    ~NativeDialogsHeldOff() { Release(); }
    NativeDialogsHeldOff(const NativeDialogsHeldOff&) = delete;
    NativeDialogsHeldOff& operator=(const NativeDialogsHeldOff&) = delete;
    void Release();

  private:
    bool wereOff_;
    bool held_ = true;
};
}  // namespace detail

// The program's open (AcceptOpen) and save (AcceptSave) dialog: Qt's own widget dialog with the
// program's Greek labels, never the desktop's, shown for the properties. A file that a filter's
// pattern matches has that filter's label as its type; sizes are written in Greek, dates as the
// system's locale has them. The columns of the detail view and the sidebar open wide enough for
// their texts, and they follow the rows as they arrive until the player sizes them. The read-only
// refusal and the overwrite question come over the dialog, which stays open when the choice is
// refused.
class FileDialog : private detail::FileTypesOwner,
                   private detail::NativeDialogsHeldOff,
                   public QFileDialog {
  public:
    FileDialog(QWidget* parent, const FileDialogProperties& properties, AcceptMode mode);

    // The chosen path with native separators once the dialog is accepted, else "".
    QString ChosenPath() const { return chosen_; }

    // A name typed in the name field is taken in the dialog's folder: one that names a folder
    // enters it, and only a name that is no folder gets the default extension.
    void accept() override;

  protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

  private:
    // Widens the columns to their header and rows, the sidebar to its entries, and the window
    // to hold both. On opening, the columns take the width of the texts they are to show.
    void FitToContents(bool opening);
    // False when the flags refuse the chosen path or the player does not confirm it; asked
    // over the dialog.
    bool Confirmed(const QString& chosen);

    // The path the name field's text stands for, in the dialog's folder; "" when the field is
    // empty or holds a list of names.
    QString TypedPath() const;

    // Qt's own parts of the dialog, found by their names; null where Qt has none.
    QLineEdit* nameEdit_;
    QListView* files_;
    QTreeView* tree_;
    QListView* sidebar_;
    QSplitter* splitter_;
    int flags_;
    QString proposedName_;
    QStringList typeLabels_;
    QString typedChoice_;  // the typed file being accepted, while it is
    QString chosen_;
    QTimer fitTimer_;
    bool fitting_ = false;
    bool opened_ = false;
    bool columnsSizedByPlayer_ = false;
    bool sidebarSizedByPlayer_ = false;
};

}  // namespace platform
