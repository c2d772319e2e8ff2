// The settings file on disk: first run, atomic replacement, files that are
// corrupt or not files at all, and the store as the program reaches it.
#include "platform/qt/settings_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/qt/qt_platform.h"
#include "platform/qt/safe_files.h"

namespace platform::qt {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The names in a folder, hidden ones too, sorted and joined by blanks.
std::string filesIn(const std::string& folder) {
    return QDir(QString::fromStdString(folder))
        .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)
        .join(' ')
        .toStdString();
}

class SettingsFileTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    std::string path() const { return dir.filePath("app/app.ini").toStdString(); }
    std::string folder() const { return dir.filePath("app").toStdString(); }
};

TEST_F(SettingsFileTest, FirstRunGivesFallbacksAndCreatesFolderOnFlush) {
    SettingsFile file(path());
    EXPECT_EQ(file.get("S", "k", "fallback"), "fallback");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path())));
    file.set("S", "k", "v");
    EXPECT_FALSE(file.flush().has_value());
    EXPECT_EQ(readFile(path()), "[S]\nk=v\n");
    struct stat info {};
    ASSERT_EQ(::stat(path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(SettingsFileTest, IsReadOnceAndWrittenWhole) {
    QDir().mkpath(QString::fromStdString(folder()));
    writeFile(path(), "[S]\na=1\nb=2\n");
    SettingsFile file(path());
    EXPECT_EQ(file.get("S", "a", ""), "1");
    writeFile(path(), "[S]\na=changed behind our back\n");
    EXPECT_EQ(file.get("S", "a", ""), "1");
    file.set("T", "c", " 3 ");
    EXPECT_FALSE(file.flush().has_value());
    SettingsFile again(path());
    EXPECT_EQ(again.get("S", "b", ""), "2");
    EXPECT_EQ(again.get("T", "c", ""), " 3 ");
    EXPECT_FALSE(again.takeKeptCopy().has_value()) << "a file read whole is not copied";
    EXPECT_EQ(filesIn(folder()), "app.ini");
}

TEST_F(SettingsFileTest, FlushLeavesNoTemporaryFiles) {
    SettingsFile file(path());
    for (int i = 0; i < 5; ++i) {
        file.set("S", "k", std::to_string(i));
        ASSERT_FALSE(file.flush().has_value());
    }
    EXPECT_EQ(filesIn(folder()), "app.ini");
    EXPECT_FALSE(file.dirty());
}

// Only the program's own temp files go: the user's copies next to the file
// stay, whatever their names.
TEST_F(SettingsFileTest, GoodSaveClearsOnlyTheTempFilesOfKilledSaves) {
    SettingsFile file(path());
    file.set("S", "k", "v");
    ASSERT_FALSE(file.flush().has_value());
    writeFile(folder() + "/.app.ini.~saving~a1B2c3", "half a save");
    QStringList kept{"app.ini", "other.ini.a1B2c3", ".other.ini.~saving~a1B2c3",
                     ".app.ini.~saving~a1B2c3.mine"};
    for (const char* suffix : {".bad", ".backup", ".before", ".manual", ".orig01", ".a1B2c3"}) {
        kept << QString("app.ini") + suffix;
    }
    for (const QString& name : kept) {
        if (name != "app.ini") writeFile(folder() + "/" + name.toStdString(), "the user's");
    }
    ASSERT_FALSE(file.flush().has_value());
    kept.sort();
    EXPECT_EQ(filesIn(folder()), kept.join(' ').toStdString());
}

// A file that could not be read whole is kept exactly as it was, under a
// name that no earlier copy has, as soon as it is loaded; the store file
// itself stays until a save replaces it.
TEST_F(SettingsFileTest, DamagedFileIsReadLineByLineAndKeptAsItWas) {
    QDir().mkpath(QString::fromStdString(folder()));
    std::vector<std::string> copies;
    for (const std::string incident : {"1", "2"}) {
        const std::string damaged =
            "\xEF\xBB\xBF[S]\r\nk=C:\\Windows\r\nno separator\r\nj=" + incident;
        writeFile(path(), damaged);
        SettingsFile file(path());
        EXPECT_EQ(file.get("S", "k", ""), "C:\\Windows");
        EXPECT_EQ(file.get("S", "j", ""), incident);
        const auto copy = file.takeKeptCopy();
        ASSERT_TRUE(copy.has_value());
        EXPECT_FALSE(file.takeKeptCopy().has_value()) << "named once";
        EXPECT_EQ(readFile(path()), damaged) << "no moment without a store file";
        file.set("S", "k", "new");
        EXPECT_FALSE(file.flush().has_value());
        EXPECT_EQ(readFile(path()), "[S]\nj=" + incident + "\nk=new\n");
        EXPECT_EQ(readFile(*copy), damaged);
        copies.push_back(*copy);
    }
    EXPECT_NE(copies[0], copies[1]);
    EXPECT_EQ(readFile(copies[0]), "\xEF\xBB\xBF[S]\r\nk=C:\\Windows\r\nno separator\r\nj=1")
        << "a second incident leaves the first copy alone";
    EXPECT_EQ(copies[0].rfind(path() + ".bad-", 0), 0u) << copies[0];
}

// Reads the file in a child process: true when that finished within a few
// seconds (a read that blocks would otherwise stop the whole test run).
bool readsWithoutHanging(const std::string& path) {
    const pid_t child = ::fork();
    if (child == 0) {
        readWholeFile(path, 1 << 20);
        ::_exit(0);
    }
    for (int waited = 0; waited < 500; ++waited) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status);
        ::usleep(10000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return false;
}

// A folder, a FIFO or a link to a FIFO in place of the store is no store:
// nothing waits for a writer, the store starts empty, the thing found is
// kept aside as it was and a save puts a regular file in its place.
TEST_F(SettingsFileTest, NonRegularFileInPlaceIsNotReadNeverBlocksAndIsKeptAside) {
    QDir().mkpath(QString::fromStdString(folder()));
    const std::string fifo = folder() + "/pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<const char*, mode_t> kinds[] = {
        {"folder", S_IFDIR}, {"fifo", S_IFIFO}, {"link to a fifo", S_IFLNK}};
    for (const auto& [kind, type] : kinds) {
        QDir(QString::fromStdString(path())).removeRecursively();
        ::unlink(path().c_str());
        const int made = type == S_IFDIR   ? ::mkdir(path().c_str(), 0700)
                         : type == S_IFIFO ? ::mkfifo(path().c_str(), 0600)
                                           : ::symlink(fifo.c_str(), path().c_str());
        ASSERT_EQ(made, 0) << kind;
        EXPECT_TRUE(readsWithoutHanging(path())) << kind;
        SettingsFile file(path());
        EXPECT_EQ(file.get("S", "k", "default"), "default") << kind;
        const auto copy = file.takeKeptCopy();
        ASSERT_TRUE(copy.has_value()) << kind;
        file.set("S", "k", "v");
        EXPECT_FALSE(file.flush().has_value()) << kind;
        EXPECT_EQ(readFile(path()), "[S]\nk=v\n") << kind;
        struct stat info {};
        ASSERT_EQ(::lstat(copy->c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & S_IFMT, type) << kind;
        ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
        EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the FIFO a link points to stays";
    }
}

// A file far larger than any store is not read into memory: the store
// starts empty and the file is kept aside as it was.
TEST_F(SettingsFileTest, HugeFileIsNotReadButKeptAside) {
    QDir().mkpath(QString::fromStdString(folder()));
    writeFile(path(), "[S]\nk=would be read\n");
    ASSERT_EQ(::truncate(path().c_str(), (64 << 20) + 1), 0);  // sparse, costs no disk
    SettingsFile file(path());
    EXPECT_EQ(file.get("S", "k", "default"), "default");
    const auto copy = file.takeKeptCopy();
    ASSERT_TRUE(copy.has_value());
    EXPECT_FALSE(file.flush().has_value());
    EXPECT_EQ(QFileInfo(QString::fromStdString(*copy)).size(), (64 << 20) + 1);
    EXPECT_EQ(readFile(path()), "");
}

// A store kept with the user's dotfiles is a link: a save writes through it
// to the file it names, which keeps its permissions; the link stays a link.
TEST_F(SettingsFileTest, SaveWritesThroughALinkAndKeepsTheFilesPermissions) {
    const std::string dotfiles = dir.filePath("dotfiles").toStdString();
    QDir().mkpath(QString::fromStdString(dotfiles));
    QDir().mkpath(QString::fromStdString(folder()));
    writeFile(dotfiles + "/app.ini", "[S]\nk=old\n");
    ASSERT_EQ(::chmod((dotfiles + "/app.ini").c_str(), 0644), 0);
    ASSERT_EQ(::symlink("../dotfiles/app.ini", path().c_str()), 0);
    SettingsFile file(path());
    EXPECT_EQ(file.get("S", "k", ""), "old");
    file.set("S", "k", "new");
    EXPECT_FALSE(file.flush().has_value());
    struct stat info {};
    ASSERT_EQ(::lstat(path().c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(readFile(dotfiles + "/app.ini"), "[S]\nk=new\n");
    ASSERT_EQ(::stat((dotfiles + "/app.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    EXPECT_EQ(filesIn(dotfiles), "app.ini") << "no temp file left behind";
}

TEST_F(SettingsFileTest, UnwritableFolderFailsWithoutLosingValues) {
    const std::string blocked = dir.filePath("blocker").toStdString();
    writeFile(blocked, "a file where the folder should be");
    SettingsFile file(blocked + "/app.ini");
    file.set("S", "k", "v");
    const auto failure = file.flush();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->where, blocked + "/app.ini");
    EXPECT_EQ(failure->reason, std::strerror(ENOTDIR));
    EXPECT_TRUE(file.dirty());
    EXPECT_EQ(file.get("S", "k", ""), "v");
}

// The disk fills up in the middle of a save (a file size limit stands in
// for it): the file keeps its old contents whole, and the next save, with
// room again, writes everything.
TEST_F(SettingsFileTest, SaveOnAFullDiskLeavesTheOldFileWholeAndTheNextOneWrites) {
    SettingsFile file(path());
    file.set("S", "old", "whole");
    ASSERT_FALSE(file.flush().has_value());
    const std::string before = readFile(path());
    file.set("S", "new", std::string(4096, 'x'));
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const auto failure = file.flush();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->reason, std::strerror(EFBIG));
    EXPECT_EQ(readFile(path()), before);
    EXPECT_EQ(filesIn(folder()), "app.ini") << "no temp file left behind";
    EXPECT_FALSE(file.flush().has_value());
    EXPECT_EQ(SettingsFile(path()).get("S", "new", ""), std::string(4096, 'x'));
}

TEST(SettingsPath, FollowsXdgConfigHome) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string restore = saved ? saved : "";
    ::setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
    EXPECT_EQ(settingsPathFor("hiyokorapper"), "/somewhere/config/hiyokorapper/hiyokorapper.ini");
    EXPECT_EQ(settingsPathFor("../x"), "/somewhere/config/.._x/.._x.ini");
    ::setenv("XDG_CONFIG_HOME", "relative/is/ignored", 1);
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(settingsPathFor("a"), "/home/someone/.config/a/a.ini");
    if (saved) {
        ::setenv("XDG_CONFIG_HOME", restore.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

// The program's view: get with a default, save, flush; one file per application.
TEST(SettingsStore, PlatformKeepsAppsApartAndFlushesToDisk) {
    QTemporaryDir dir;
    ::setenv("XDG_CONFIG_HOME", dir.path().toUtf8().constData(), 1);
    {
        QtPlatform platform;
        EXPECT_EQ(platform.getSetting("hiyokorapper", "User Setting", "APName00", "<<空き家>>"),
                  "<<空き家>>");
        platform.saveSetting("hiyokorapper", "User Setting", "APName00", "a\nb");
        platform.saveSetting("other", "User Setting", "APName00", "c");
        platform.flushSettings();
    }
    QtPlatform platform;
    EXPECT_EQ(platform.getSetting("hiyokorapper", "User Setting", "APName00", ""), "a\nb");
    EXPECT_EQ(platform.getSetting("other", "User Setting", "APName00", ""), "c");
    EXPECT_TRUE(QFile::exists(dir.filePath("hiyokorapper/hiyokorapper.ini")));
    EXPECT_FALSE(platform.takeKeptStoreCopy().has_value());
    ::unsetenv("XDG_CONFIG_HOME");
}

TEST(SettingsStore, PlatformNamesTheKeptCopyOnce) {
    QTemporaryDir dir;
    ::setenv("XDG_CONFIG_HOME", dir.path().toUtf8().constData(), 1);
    QDir().mkpath(dir.filePath("hiyokorapper"));
    const std::string path = dir.filePath("hiyokorapper/hiyokorapper.ini").toStdString();
    writeFile(path, "[User Setting]\nAPName00=kept\n\x01\n");
    QtPlatform platform;
    EXPECT_EQ(platform.getSetting("hiyokorapper", "User Setting", "APName00", ""), "kept");
    const auto copy = platform.takeKeptStoreCopy();
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(readFile(*copy), "[User Setting]\nAPName00=kept\n\x01\n");
    EXPECT_FALSE(platform.takeKeptStoreCopy().has_value());
    ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace platform::qt
