#include "platform/FileDialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIcon>
#include <QIdentityProxyModel>
#include <QListView>
#include <QLocale>
#include <QMimeDatabase>
#include <QMimeType>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QSplitter>
#include <QStyle>
#include <QTime>
#include <QTreeView>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/CommonDialog.h"
#include "platform/MessageBox.h"
#include "platform/SaveCheck.h"

namespace platform {

namespace {

// Columns of Qt's file system model.
constexpr int kNameColumn = 0;
constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kDateColumn = 3;
// The name column opens with room for this many characters at least.
constexpr int kNameCharacters = 24;

struct NameFilter {
    QString label;
    QStringList patterns;  // "*" for every file
};

// "label|pattern|label|pattern". A pattern may list several, separated by ";"; "*.*" means every
// file. A label's own "(…)" ending is not part of it.
std::vector<NameFilter> ParseFilter(const QString& filter) {
    std::vector<NameFilter> result;
    if (filter.isEmpty()) {
        return result;
    }
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts.at(i).trimmed();
        if (label.endsWith(u')')) {
            const qsizetype open = label.lastIndexOf(u'(');
            if (open >= 0) {
                label = label.left(open).trimmed();
            }
        }
        QStringList patterns;
        for (const QString& pattern : parts.at(i + 1).split(u';', Qt::SkipEmptyParts)) {
            const QString p = pattern.trimmed();
            patterns << (p == QLatin1String("*.*") ? QStringLiteral("*") : p);
        }
        if (patterns.isEmpty()) {
            patterns << QStringLiteral("*");
        }
        result.push_back({label, patterns});
    }
    return result;
}

// Qt reads a name filter's patterns from its "(…)" ending.
QStringList QtNameFilters(const std::vector<NameFilter>& filters) {
    QStringList result;
    for (const NameFilter& filter : filters) {
        result << filter.label + QStringLiteral(" (") + filter.patterns.join(u' ') + u')';
    }
    return result;
}

// Qt's icons and types, but a file matched by a filter's pattern is of that filter's type. Types
// go by the name whatever its case.
class FileTypes final : public QFileIconProvider {
  public:
    explicit FileTypes(const std::vector<NameFilter>& filters) {
        for (const NameFilter& filter : filters) {
            for (const QString& pattern : filter.patterns) {
                if (pattern != QLatin1String("*")) {
                    types_.emplace_back(QRegularExpression::fromWildcard(pattern), filter.label);
                }
            }
        }
    }

    QStringList Labels() const {
        QStringList result;
        for (const auto& type : types_) {
            result << type.second;
        }
        return result;
    }

    // A file's type and icon are told from its name: Qt would read the file's content to
    // recognise it, on the window's thread, and a file such as /proc/kmsg never answers.
    QString type(const QFileInfo& info) const override {
        if (!info.isFile()) {
            return QFileIconProvider::type(info);
        }
        for (const auto& [pattern, label] : types_) {
            if (pattern.match(info.fileName()).hasMatch()) {
                return label;
            }
        }
        const QMimeType mime = TypeByName(info);
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }

    QIcon icon(const QFileInfo& info) const override {
        if (!info.isFile()) {
            return QFileIconProvider::icon(info);
        }
        const QMimeType mime = TypeByName(info);
        QIcon icon = QIcon::fromTheme(mime.iconName());
        if (icon.isNull()) {
            icon = QIcon::fromTheme(mime.genericIconName());
        }
        return icon.isNull() ? QFileIconProvider::icon(File) : icon;
    }
    using QFileIconProvider::icon;

  private:
    QMimeType TypeByName(const QFileInfo& info) const {
        return mimeTypes_.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    }

    std::vector<std::pair<QRegularExpression, QString>> types_;
    QMimeDatabase mimeTypes_;
};

QLocale GreekLocale() {
    return QLocale(QLocale::Greek, QLocale::Greece);
}

// Qt writes sizes as the system's locale has them; the program's texts are Greek.
class GreekSizes final : public QIdentityProxyModel {
  public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole && index.column() == kSizeColumn) {
            const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
            const QModelIndex source = mapToSource(index);
            if (files != nullptr && !files->isDir(source)) {
                return GreekLocale().formattedDataSize(files->size(source));
            }
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// The width the view's items take for `text`, after an icon when `decorated`: the margins of
// the common styles, which the rows, once they arrive, put right.
int ItemWidth(const QAbstractItemView& view, const QString& text, bool decorated) {
    const QStyle* style = view.style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    int width = view.fontMetrics().horizontalAdvance(text) + 2 * margin;
    if (decorated) {
        width += (view.iconSize().isValid()
                      ? view.iconSize().width()
                      : style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &view)) +
                 2 * margin;
    }
    return width;
}

// Texts of the kinds the size and date columns show, among them the widest.
QStringList SampleSizes() {
    QStringList result;
    for (const qint64 bytes : {qint64{1023}, qint64{1048575}, qint64{1073741823}}) {
        result << GreekLocale().formattedDataSize(bytes);
    }
    return result;
}

QStringList SampleDates() {
    QStringList result;
    const QLocale system = QLocale::system();
    for (int month = 1; month <= 12; ++month) {
        for (const QTime time : {QTime(12, 58, 58), QTime(23, 58, 58)}) {
            result << system.toString(QDateTime(QDate(2028, month, 28), time),
                                      QLocale::ShortFormat);
        }
    }
    return result;
}

// Why `path` may not be returned under cdlOFNNoReadOnlyReturn, or "" when it may: a save to it
// would be refused for the file or for the folder it is really written in.
QString ReadOnlyRefusal(const QString& path) {
    const SaveCheck check = CheckSave(path);
    if (check.refusal == SaveCheck::kFileReadOnly) {
        return QStringLiteral("Το αρχείο ") + QDir::toNativeSeparators(path) +
               QStringLiteral(" είναι μόνο για ανάγνωση.\nΔώστε άλλο όνομα αρχείου.");
    }
    if (check.refusal == SaveCheck::kFolderReadOnly) {
        return QStringLiteral("Ο φάκελος ") + QDir::toNativeSeparators(check.folder) +
               QStringLiteral(" δεν επιτρέπει εγγραφή.\nΕπιλέξτε άλλο φάκελο.");
    }
    return QString();
}

}  // namespace

namespace detail {

NativeDialogsHeldOff::NativeDialogsHeldOff()
    : wereOff_(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs)) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
}

void NativeDialogsHeldOff::Release() {
    if (held_) {
        held_ = false;
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, wereOff_);
    }
}

}  // namespace detail

FileDialog::FileDialog(QWidget* parent, const FileDialogProperties& properties, AcceptMode mode)
    : QFileDialog(parent,
                  mode == AcceptOpen ? QStringLiteral("Άνοιγμα") : QStringLiteral("Αποθήκευση ως")),
      nameEdit_(findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))),
      files_(findChild<QListView*>(QStringLiteral("listView"))),
      tree_(findChild<QTreeView*>(QStringLiteral("treeView"))),
      sidebar_(findChild<QListView*>(QStringLiteral("sidebar"))),
      splitter_(findChild<QSplitter*>(QStringLiteral("splitter"))),
      flags_(properties.Flags) {
    setOption(DontUseNativeDialog, true);
    Release();
    const std::vector<NameFilter> filters = ParseFilter(properties.Filter);
    // Before any folder is read, so that every file gets its type from here.
    auto types = std::make_unique<FileTypes>(filters);
    typeLabels_ = types->Labels();
    fileTypes = std::move(types);
    setIconProvider(fileTypes.get());
    setProxyModel(new GreekSizes(this));

    setAcceptMode(mode);
    // Qt's other texts in the dialog come from the Greek translation installed at start-up.
    setLabelText(LookIn, mode == AcceptOpen ? QStringLiteral("Αναζήτηση σε:")
                                            : QStringLiteral("Αποθήκευση σε:"));
    setLabelText(FileName, QStringLiteral("Όνομα αρχείου:"));
    setLabelText(FileType, QStringLiteral("Αρχεία τύπου:"));
    setLabelText(Accept,
                 mode == AcceptOpen ? QStringLiteral("Άνοιγμα") : QStringLiteral("Αποθήκευση"));
    setLabelText(Reject, QStringLiteral("Άκυρο"));
    const bool mustExist = mode == AcceptOpen && (properties.Flags & cdlOFNFileMustExist);
    setFileMode(mustExist ? ExistingFile : AnyFile);
    // The overwrite question is asked in done(), after the read-only test.
    setOption(DontConfirmOverwrite, true);
    if (!filters.empty()) {
        setNameFilters(QtNameFilters(filters));
    }
    if (!properties.DefaultExt.isEmpty()) {
        setDefaultSuffix(properties.DefaultExt);
    }
    if (!properties.InitDir.isEmpty()) {
        setDirectory(properties.InitDir);
    }
    QString proposed = properties.FileName;
    if (!proposed.isEmpty() && QFileInfo(proposed).isRelative() && !properties.InitDir.isEmpty()) {
        proposed = QDir(properties.InitDir).filePath(proposed);
    }
    // A start folder that does not exist (the program never creates its own) gives way to the
    // player's home folder; the proposed name is kept.
    const QString folder =
        proposed.isEmpty() ? properties.InitDir : QFileInfo(proposed).absolutePath();
    const QString start = folder.isEmpty() ? folder : DialogStartFolder(folder);
    if (start != folder) {
        setDirectory(start);
        if (!proposed.isEmpty()) {
            proposed = QDir(start).filePath(QFileInfo(proposed).fileName());
        }
    }
    if (!proposed.isEmpty()) {
        selectFile(proposed);
        proposedName_ = QFileInfo(proposed).fileName();
    }

    // Rows, and their types, arrive from Qt's file information thread; one fit follows a burst.
    fitTimer_.setSingleShot(true);
    fitTimer_.setInterval(0);
    connect(&fitTimer_, &QTimer::timeout, this, [this] { FitToContents(false); });
    const auto fitLater = [this] {
        if (opened_) {
            fitTimer_.start();
        }
    };
    if (QAbstractItemModel* rows = proxyModel()) {
        connect(rows, &QAbstractItemModel::rowsInserted, this, fitLater);
        connect(rows, &QAbstractItemModel::dataChanged, this, fitLater);
        connect(rows, &QAbstractItemModel::layoutChanged, this, fitLater);
        connect(rows, &QAbstractItemModel::modelReset, this, fitLater);
        if (const auto* files = qobject_cast<QFileSystemModel*>(proxyModel()->sourceModel())) {
            connect(files, &QFileSystemModel::directoryLoaded, this, fitLater);
        }
    }
    if (sidebar_ != nullptr && sidebar_->model() != nullptr) {
        connect(sidebar_->model(), &QAbstractItemModel::rowsInserted, this, fitLater);
        connect(sidebar_->model(), &QAbstractItemModel::dataChanged, this, fitLater);
    }
    if (tree_ != nullptr) {
        connect(tree_->header(), &QHeaderView::sectionResized, this, [this] {
            if (!fitting_) {
                columnsSizedByPlayer_ = true;
            }
        });
    }
    // Only the player moves the splitter's handle; setSizes() does not signal.
    if (splitter_ != nullptr) {
        connect(splitter_, &QSplitter::splitterMoved, this,
                [this] { sidebarSizedByPlayer_ = true; });
    }
}

void FileDialog::showEvent(QShowEvent* event) {
    // Before QDialog places the window, so that it is placed at its final size.
    if (!event->spontaneous() && !opened_) {
        opened_ = true;
        FitToContents(true);
    }
    QFileDialog::showEvent(event);
}

void FileDialog::FitToContents(bool opening) {
    if (tree_ == nullptr || sidebar_ == nullptr || splitter_ == nullptr ||
        splitter_->count() != 2) {
        return;
    }
    const QScopedValueRollback<bool> fitting(fitting_, true);
    QHeaderView* header = tree_->header();
    const QAbstractItemView& view = *tree_;

    if (!columnsSizedByPlayer_) {
        QStringList expected[kDateColumn + 1];
        if (opening) {
            expected[kNameColumn] << QString(kNameCharacters, u'n');
            if (!proposedName_.isEmpty()) {
                expected[kNameColumn] << proposedName_;
            }
            expected[kSizeColumn] = SampleSizes();
            expected[kTypeColumn] = typeLabels_;
            expected[kTypeColumn] << fileTypes->type(QFileInfo(directory().absolutePath()));
            expected[kDateColumn] = SampleDates();
        }
        for (int column = 0; column < header->count(); ++column) {
            if (header->isSectionHidden(column)) {
                continue;
            }
            int width = std::max(header->sectionSizeHint(column), view.sizeHintForColumn(column));
            if (column <= kDateColumn) {
                for (const QString& text : expected[column]) {
                    width = std::max(width, ItemWidth(view, text, column == kNameColumn));
                }
            }
            // Once open, a column only widens, so that it does not shake as rows come and go.
            if (!opening) {
                width = std::max(width, header->sectionSize(column));
            }
            header->resizeSection(column, width);
        }
    }

    // Room for a vertical scroll bar is kept, so that one never brings a horizontal one.
    const int treeRoom =
        tree_->width() - 2 * tree_->frameWidth() - tree_->verticalScrollBar()->sizeHint().width();
    const int treeShort = tree_->isVisible() ? std::max(0, header->length() - treeRoom) : 0;
    const QList<int> sizes = splitter_->sizes();
    int sidebarWidth = sizes.at(0);
    if (!sidebarSizedByPlayer_) {
        sidebarWidth =
            std::max(sidebarWidth, sidebar_->sizeHintForColumn(0) + 2 * sidebar_->frameWidth());
    }
    const int grow = (sidebarWidth - sizes.at(0)) + treeShort;
    if (grow <= 0) {
        return;
    }
    const QRect available = screen()->availableGeometry();
    const int frame = frameGeometry().width() - width();
    resize(std::min(width() + grow, available.width() - frame), height());
    if (!opening && frameGeometry().right() > available.right()) {
        move(std::max(available.left(), available.right() - frameGeometry().width() + 1), y());
    }
    splitter_->setSizes(
        {sidebarWidth, splitter_->width() - splitter_->handleWidth() - sidebarWidth});
}

QString FileDialog::TypedPath() const {
    const QString typed = nameEdit_ != nullptr ? nameEdit_->text() : QString();
    if (typed.isEmpty() || typed.contains(u'"')) {
        return QString();
    }
    QString path = QDir::fromNativeSeparators(typed);
    if (path == u'~' || path.startsWith(QStringLiteral("~/"))) {
        path.replace(0, 1, QDir::homePath());
    }
    return QDir::cleanPath(directory().absoluteFilePath(path));
}

void FileDialog::accept() {
    // Qt itself decides whether a typed name is a folder, and so whether it gets the default
    // extension, in the program's working folder. Where a folder is selected in the list, or
    // nothing is typed, Qt's own handling stands.
    const QString typed = TypedPath();
    bool folderSelected = false;
    if (files_ != nullptr && files_->selectionModel() != nullptr) {
        for (const QModelIndex& row : files_->selectionModel()->selectedRows()) {
            folderSelected = folderSelected ||
                             QFileInfo(row.data(QFileSystemModel::FilePathRole).toString()).isDir();
        }
    }
    if (typed.isEmpty() || folderSelected) {
        QFileDialog::accept();
        return;
    }
    const QFileInfo info(typed);
    if (info.isDir()) {
        setDirectory(info.absoluteFilePath());
        nameEdit_->clear();
        // The completer's list, which Enter answered, would stay open and empty.
        if (const QCompleter* completer = nameEdit_->completer();
            completer != nullptr && completer->popup() != nullptr) {
            completer->popup()->hide();
        }
        return;
    }
    QString file = typed;
    if (!defaultSuffix().isEmpty() && !info.fileName().contains(u'.')) {
        file += u'.' + defaultSuffix();
    }
    if (fileMode() == ExistingFile && !QFileInfo::exists(file)) {
        MsgBoxOver(this,
                   tr("%1\nFile not found.\nPlease verify the correct file name was given.")
                       .arg(QFileInfo(file).fileName()),
                   vbOKOnly | vbExclamation, windowTitle());
        return;
    }
    const QScopedValueRollback<QString> choice(typedChoice_, file);
    QDialog::accept();
}

void FileDialog::done(int result) {
    if (result == Accepted) {
        // The typed file, or else the choice QFileDialog has taken: a name with the default
        // extension, never a folder.
        const QString chosen = typedChoice_.isEmpty() ? selectedFiles().value(0) : typedChoice_;
        // Refused, the dialog stays as the player left it: the name as typed, the selection.
        if (!chosen.isEmpty() && !Confirmed(chosen)) {
            return;
        }
        chosen_ = QDir::toNativeSeparators(chosen);
    }
    QFileDialog::done(result);
}

bool FileDialog::Confirmed(const QString& chosen) {
    if (flags_ & cdlOFNNoReadOnlyReturn) {
        const QString refusal = ReadOnlyRefusal(chosen);
        if (!refusal.isEmpty()) {
            MsgBoxOver(this, refusal, vbOKOnly | vbExclamation, windowTitle());
            return false;
        }
    }
    if (acceptMode() == AcceptSave && (flags_ & cdlOFNOverwritePrompt) &&
        QFileInfo::exists(chosen)) {
        const QString question = QStringLiteral("Το αρχείο ") + QDir::toNativeSeparators(chosen) +
                                 QStringLiteral(" υπάρχει ήδη.\nΘέλετε να αντικατασταθεί;");
        return MsgBoxOver(this, question, vbYesNo | vbExclamation | vbDefaultButton2,
                          windowTitle()) == vbYes;
    }
    return true;
}

}  // namespace platform
