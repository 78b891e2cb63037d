#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <stdexcept>
#include <vector>

#include "util/mdlFilesFoldersFunctions.h"

namespace {

using namespace mdlFilesFoldersFunctions;

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A temporary folder whose own path holds no dot or bracket, so that only the names below it
// decide where GetUniqueFileName splits.
class UniqueFileNameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        root_ = dir_.path();
        if (root_.contains(u'.') || root_.contains(u'[') || root_.contains(u']')) {
            GTEST_SKIP() << "the temporary folder " << root_.toStdString()
                         << " holds a dot or a bracket";
        }
    }

    QString At(const QString& relative) const { return root_ + u'/' + relative; }

    // Creates an empty file at `relative`, and its folders.
    void Touch(const QString& relative) const {
        const QString path = At(relative);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    }

    // Everything below `folder`, files and folders, by relative path.
    static QStringList Tree(const QString& folder) {
        QStringList entries;
        QDirIterator it(folder,
                        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            entries << QDir(folder).relativeFilePath(it.next());
        }
        entries.sort();
        return entries;
    }

    QTemporaryDir dir_{QDir::tempPath() + QStringLiteral("/tarvex-unique-XXXXXX")};
    QString root_;
};

struct Example {
    const char* path;  // UTF-8, below the temporary folder
    std::vector<const char*> existing;
    const char* result;
};

// clang-format off
const std::vector<Example> kWorkedExamples = {
    {"Παιχνίδι 3.tvx", {},                                                  "Παιχνίδι 3.tvx"},
    {"Κλασσικό.tvx",   {"Κλασσικό.tvx"},                                    "Κλασσικό[1].tvx"},
    {"Κλασσικό.tvx",   {"Κλασσικό.tvx", "Κλασσικό[1].tvx", "Κλασσικό[2].tvx"}, "Κλασσικό[3].tvx"},
    {"Κλασσικό.tvx",   {"Κλασσικό.tvx", "Κλασσικό[2].tvx"},                  "Κλασσικό[1].tvx"},
    {"Κλασσικό[7].tvx", {"Κλασσικό[7].tvx"},                                "Κλασσικό[1].tvx"},
    {"Κλασσικό[].tvx", {"Κλασσικό[].tvx"},                                  "Κλασσικό[1].tvx"},
    {"a[1][2].tvx",    {"a[1][2].tvx"},                                     "a[1][1].tvx"},
    {"a[1x].tvx",      {"a[1x].tvx"},                                       "a[1x][1].tvx"},
    {"a7].tvx",        {"a7].tvx"},                                         "a7][1].tvx"},
    {"[5].tvx",        {"[5].tvx"},                                         "[1].tvx"},
    {"game",           {"game"},                                            "game[1]."},
    {"my.dir/game",    {"my.dir/game"},                                     "my[1].dir/game"},
    // A missing file keeps its bracket group.
    {"Κλασσικό[4].tvx", {"Κλασσικό.tvx"},                                   "Κλασσικό[4].tvx"},
    // A folder of the name is no file.
    {"Κλασσικό.tvx",   {"Κλασσικό.tvx/x"},                                  "Κλασσικό.tvx"},
};
// clang-format on

TEST_F(UniqueFileNameTest, WorkedExamples) {
    for (const Example& row : kWorkedExamples) {
        SCOPED_TRACE(row.path);
        QTemporaryDir rowDir(At(QStringLiteral("row-XXXXXX")));
        ASSERT_TRUE(rowDir.isValid());
        const QString rowName = QFileInfo(rowDir.path()).fileName();
        for (const char* name : row.existing) {
            Touch(rowName + u'/' + U(name));
        }
        const QString path = At(rowName + u'/' + U(row.path));
        const QStringList before = Tree(rowDir.path());
        const QString result = GetUniqueFileName(path);
        EXPECT_EQ(result, At(rowName + u'/' + U(row.result)));
        // Only asks: no file has the name, and nothing was created.
        EXPECT_FALSE(QFileInfo(result).isFile());
        EXPECT_EQ(Tree(rowDir.path()), before);
    }
}

TEST_F(UniqueFileNameTest, FileExistsOnlyForFiles) {
    Touch(U("Κλασσικό.tvx"));
    Touch(QStringLiteral("sub/inner"));
    EXPECT_TRUE(FileExists(At(U("Κλασσικό.tvx"))));
    EXPECT_TRUE(FileExists(At(QStringLiteral("sub/inner"))));
    EXPECT_FALSE(FileExists(At(QStringLiteral("sub"))));
    EXPECT_FALSE(FileExists(At(QStringLiteral("missing.tvx"))));
    EXPECT_FALSE(FileExists(At(QStringLiteral("missing/inner"))));
    EXPECT_FALSE(FileExists(QString()));
}

TEST_F(UniqueFileNameTest, EveryNumberTakenOverflows) {
    Touch(QStringLiteral("g.tvx"));
    for (int n = 1; n <= 32767; ++n) {
        QFile file(At(QStringLiteral("g[%1].tvx").arg(n)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << n;
    }
    EXPECT_THROW(GetUniqueFileName(At(QStringLiteral("g.tvx"))), std::overflow_error);

    ASSERT_TRUE(QFile::remove(At(QStringLiteral("g[32767].tvx"))));
    EXPECT_EQ(GetUniqueFileName(At(QStringLiteral("g[5].tvx"))),
              At(QStringLiteral("g[32767].tvx")));
}

}  // namespace
