#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/folder.h"
#include "platform/runtime.h"
#include "platform/text_file.h"
#include "support/test_support.h"

using namespace kv::platform;

namespace {

using Lines = std::vector<std::string>;

TEST(TextFile, SplitsOnEveryKindOfLineEnd) {
    EXPECT_EQ(split_lines(""), Lines{});
    EXPECT_EQ(split_lines("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(split_lines("a\r\n"), Lines{"a"});
    EXPECT_EQ(split_lines("\r\n"), Lines{""});
    EXPECT_EQ(split_lines("a\rb\nc"), (Lines{"a", "b", "c"}));
    // LF then CR is two line ends, CR CR LF too.
    EXPECT_EQ(split_lines("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(split_lines("a\r\r\nb"), (Lines{"a", "", "b"}));
}

TEST(TextFile, ReadsBytesUntranscoded) {
    kvtest::TempFolder dir;
    const std::string bytes("caf\xe9\0\xff\r\nx", 9);
    kvtest::write_file(dir / "t.txt", bytes);
    EXPECT_EQ(read_bytes(dir / "t.txt"), bytes);
    EXPECT_EQ(read_lines(dir / "t.txt"), (Lines{std::string("caf\xe9\0\xff", 6), "x"}));
    EXPECT_THROW(read_lines(dir / "missing.txt"), Failure);
    EXPECT_THROW(read_bytes(dir.path()), Failure);
    // Longer than any single read, read whole or up to a limit; and an empty file.
    std::string big(200003, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 251);
    kvtest::write_file(dir / "big.bin", big);
    EXPECT_EQ(read_bytes(dir / "big.bin"), big);
    EXPECT_EQ(read_bytes(dir / "big.bin", 70001), big.substr(0, 70001));
    EXPECT_EQ(read_bytes(dir / "big.bin", 0), "");
    kvtest::write_file(dir / "empty.txt", "");
    EXPECT_EQ(read_bytes(dir / "empty.txt"), "");
}

// Every reader of a file gets a file larger than the memory there is as a failed read, not as an
// exception that would end the program.
TEST(TextFile, AFileLargerThanTheMemoryThereIsFailsItsRead) {
    if (!kvtest::address_space_can_be_limited)
        GTEST_SKIP() << "no address space limit under AddressSanitizer";
    kvtest::TempFolder dir;
    kvtest::write_file(dir / "huge.txt", "a\r\n");
    std::filesystem::resize_file(dir / "huge.txt", 256 << 20);
    const std::string expected =
        "cannot read " + (dir / "huge.txt").string() + ": not enough memory to read it";
    auto fails_with_message = [&](const auto& read) {
        return kvtest::exit_code_in_child([&] {
            if (!kvtest::limit_address_space(64 << 20)) return 2;
            try {
                read();
            } catch (const Failure& failure) {
                return failure.what() == expected ? 0 : 4;
            }
            return 3;
        });
    };
    EXPECT_EQ(fails_with_message([&] { read_bytes(dir / "huge.txt"); }), 0);
    EXPECT_EQ(fails_with_message([&] { read_lines(dir / "huge.txt"); }), 0);
}

TEST(TextFile, WritesCrLfAndReplacesKeepingPermissions) {
    kvtest::TempFolder dir;
    const auto file = dir / "out.ini";
    write_lines_atomically(file, {"a", "", "b"});
    EXPECT_EQ(kvtest::read_file(file), "a\r\n\r\nb\r\n");

    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    write_bytes_atomically(file, "new");
    EXPECT_EQ(kvtest::read_file(file), "new");
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(list_folder(dir.path(), EntryKind::files), Lines{"out.ini"});  // no temporary left
}

TEST(TextFile, WritesThroughASymbolicLink) {
    kvtest::TempFolder dir;
    kvtest::write_file(dir / "real.txt", "old");
    std::filesystem::create_symlink("real.txt", dir / "link.txt");
    write_bytes_atomically(dir / "link.txt", "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.txt"));
    EXPECT_EQ(kvtest::read_file(dir / "real.txt"), "new");
}

TEST(TextFile, LinkUnderTheProgramFolderIsWrittenThroughOnlyToAFileInsideIt) {
    kvtest::TempFolder dir;
    const auto program = dir / "program";
    const auto profiles = program / "Configurations" / "ePSXe" / "emulator_configuration";
    const kvtest::ProgramFolderScope scope(program);
    kvtest::write_file(dir / "home" / ".bashrc", "the user's own");
    kvtest::write_file(profiles / "kept.reg", "old");
    // Out of the folder: by an absolute link, a relative one, a chain that starts inside.
    std::filesystem::create_symlink(dir / "home" / ".bashrc", profiles / "absolute.reg");
    std::filesystem::create_symlink("../../../../home/.bashrc", profiles / "relative.reg");
    std::filesystem::create_symlink("relative.reg", profiles / "chain.reg");
    for (const char* name : {"absolute.reg", "relative.reg", "chain.reg"}) {
        EXPECT_THROW(write_bytes_atomically(profiles / name, "new"), Failure) << name;
        EXPECT_TRUE(std::filesystem::is_symlink(profiles / name)) << name;
    }
    // The same link reached through another name for the program folder.
    std::filesystem::create_directory_symlink(program, dir / "alias");
    EXPECT_THROW(
        write_lines_atomically(
            dir / "alias" / "Configurations" / "ePSXe" / "emulator_configuration" / "absolute.reg", {"new"}),
        Failure);
    EXPECT_EQ(kvtest::read_file(dir / "home" / ".bashrc"), "the user's own");
    EXPECT_EQ(list_folder(dir / "home", EntryKind::files), Lines{".bashrc"});  // no temporary left

    // A link that stays inside is written through, as before.
    std::filesystem::create_symlink("../../PCSX/shared.reg", profiles / "inside.reg");
    kvtest::write_file(program / "Configurations" / "PCSX" / "shared.reg", "old");
    write_bytes_atomically(profiles / "inside.reg", "new");
    EXPECT_EQ(kvtest::read_file(program / "Configurations" / "PCSX" / "shared.reg"), "new");
    // Outside the program folder a link still leads anywhere.
    std::filesystem::create_symlink(dir / "home" / ".bashrc", dir / "elsewhere.reg");
    write_bytes_atomically(dir / "elsewhere.reg", "written through");
    EXPECT_EQ(kvtest::read_file(dir / "home" / ".bashrc"), "written through");
}

// The same holds for a file whose folder, or a folder above it, is a link: what counts is where the
// file really lands.
TEST(TextFile, AFolderLinkUnderTheProgramFolderIsWrittenIntoOnlyWhenItLeadsInside) {
    kvtest::TempFolder dir;
    const auto program = dir / "program";
    const kvtest::ProgramFolderScope scope(program);
    kvtest::write_file(dir / "home" / "Fast.reg", "the user's own");
    std::filesystem::create_directories(program / "Configurations" / "ePSXe");
    std::filesystem::create_directory_symlink(dir / "home", program / "Configurations" / "ePSXe" / "linked");
    std::filesystem::create_directory_symlink("ePSXe", program / "Configurations" / "alias");
    for (const auto& file : {program / "Configurations" / "ePSXe" / "linked" / "Fast.reg",
                             program / "Configurations" / "alias" / "linked" / "New.reg"})
        EXPECT_THROW(write_bytes_atomically(file, "new"), Failure) << file;
    EXPECT_EQ(kvtest::read_file(dir / "home" / "Fast.reg"), "the user's own");
    EXPECT_EQ(list_folder(dir / "home", EntryKind::files), Lines{"Fast.reg"});

    write_bytes_atomically(program / "Configurations" / "alias" / "inside.reg", "new");
    EXPECT_EQ(kvtest::read_file(program / "Configurations" / "ePSXe" / "inside.reg"), "new");
}

// As a user, not root: a file made read-only is not replaced, though its folder would let a rename
// replace it, nor through a link; a file the user may write still is.
TEST(TextFile, ReadOnlyFileIsNotReplaced) {
    kvtest::TempFolder dir;
    const auto locked = dir / "profile.reg";
    const auto open = dir / "open.reg";
    kvtest::write_file(locked, "the user's");
    kvtest::write_file(open, "old");
    std::filesystem::create_symlink("profile.reg", dir / "link.reg");
    ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    ASSERT_EQ(chmod(open.c_str(), 0666), 0);
    const int code = kvtest::exit_code_in_child([&] {
        if (!kvtest::give_up_root()) return 3;
        for (const auto& refused : {locked, dir / "link.reg"}) {
            try {
                write_lines_atomically(refused, {"new"});
                return 1;
            } catch (const Failure& failure) {
                if (std::string(failure.what()).find("Permission denied") == std::string::npos) return 2;
            }
        }
        write_bytes_atomically(open, "new");
        return 0;
    });
    EXPECT_EQ(code, 0) << "1: a read-only file was replaced; 2: the failure did not say why";
    EXPECT_EQ(kvtest::read_file(locked), "the user's");
    EXPECT_EQ(kvtest::read_file(open), "new");
    EXPECT_EQ(list_folder(dir.path(), EntryKind::files), (Lines{"link.reg", "open.reg", "profile.reg"}));
}

TEST(TextFile, ALineHoldingALineBreakFailsTheWrite) {
    kvtest::TempFolder dir;
    kvtest::write_file(dir / "Config.ini", "old");
    EXPECT_THROW(write_lines_atomically(dir / "Config.ini", {"Skin = Midnight", "Language = A\r\nB"}),
                 Failure);
    EXPECT_THROW(write_lines_atomically(dir / "Config.ini", {"Language = A\n"}), Failure);
    EXPECT_EQ(kvtest::read_file(dir / "Config.ini"), "old");
    EXPECT_EQ(list_folder(dir.path(), EntryKind::files), Lines{"Config.ini"});
}

TEST(TextFile, FailedWriteLeavesNoTraceWhereverItFails) {
    kvtest::TempFolder dir;
    // The temporary file cannot be made: its folder is missing, or is a file.
    kvtest::write_file(dir / "plain", "x");
    EXPECT_THROW(write_bytes_atomically(dir / "missing" / "f.txt", "new"), Failure);
    EXPECT_THROW(write_bytes_atomically(dir / "plain" / "f.txt", "new"), Failure);
    // The temporary file is written but the rename fails: the target is a folder.
    kvtest::write_file(dir / "target" / "inside.txt", "keep");
    EXPECT_THROW(write_bytes_atomically(dir / "target", "new"), Failure);
    EXPECT_EQ(kvtest::read_file(dir / "target" / "inside.txt"), "keep");
    EXPECT_EQ(list_folder(dir.path(), EntryKind::files), Lines{"plain"});
    EXPECT_EQ(kvtest::read_file(dir / "plain"), "x");
}

TEST(TextFile, WriteFailingHalfwayLeavesTheOldFileWhole) {
    kvtest::TempFolder dir;
    const auto file = dir / "settings.ini";
    const std::string old_bytes = "old contents\r\n";
    kvtest::write_file(file, old_bytes);
    // A file size limit makes the write itself fail, even for root; done in a child to keep the limit there.
    const int code = kvtest::exit_code_in_child([&] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            write_bytes_atomically(file, std::string(100000, 'x'));
        } catch (const Failure&) {
            return 0;
        }
        return 1;
    });
    EXPECT_EQ(code, 0) << "the write did not fail";
    EXPECT_EQ(kvtest::read_file(file), old_bytes);
    EXPECT_EQ(list_folder(dir.path(), EntryKind::files), Lines{"settings.ini"});
}

TEST(TextFile, ReadOnlyFolderLeavesTheOldFileWhole) {
    kvtest::TempFolder dir;
    const auto folder = dir / "ro";
    const auto file = folder / "f.txt";
    kvtest::write_file(file, "old");
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    ASSERT_EQ(chmod(file.c_str(), 0666), 0);
    // Permission bits do not stop root, so the write runs in a child that has given root up.
    const int code = kvtest::exit_code_in_child([&] {
        if (!kvtest::give_up_root()) return 3;
        try {
            write_lines_atomically(file, {"new"});
        } catch (const Failure&) {
            return 0;
        }
        return 1;
    });
    ASSERT_NE(code, -1);
    EXPECT_EQ(code, 0) << "the write into a read-only folder did not fail";
    EXPECT_EQ(kvtest::read_file(file), "old");
    std::vector<std::string> left;
    for (auto& e : std::filesystem::directory_iterator(folder)) left.push_back(e.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"f.txt"});
}

// A FIFO, a device or a folder under a file's name: reading fails at once instead of waiting for a
// writer, and a save leaves it as it is.
TEST(TextFile, ThingsThatAreNotFilesAreNeitherWaitedOnNorReplaced) {
    kvtest::TempFolder dir;
    const auto fifo = dir / "Data.kvl";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_THROW(read_lines(fifo), Failure);
    EXPECT_THROW(read_bytes("/dev/zero"), Failure);
    std::filesystem::create_directory(dir / "Config.ini");
    EXPECT_THROW(read_lines(dir / "Config.ini"), Failure);

    EXPECT_THROW(write_bytes_atomically(fifo, "new"), Failure);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    // A link to a FIFO is refused the same way.
    std::filesystem::create_symlink("Data.kvl", dir / "link.kvl");
    EXPECT_THROW(write_bytes_atomically(dir / "link.kvl", "new"), Failure);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(list_folder(dir.path(), EntryKind::files), Lines{});  // no temporary left
}

TEST(TextFile, DanglingLinkIsLeftAloneAndTheSaveFails) {
    kvtest::TempFolder dir;
    std::filesystem::create_symlink("gone/real.txt", dir / "link.txt");
    EXPECT_THROW(write_bytes_atomically(dir / "link.txt", "new"), Failure);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.txt"));
    EXPECT_EQ(std::filesystem::read_symlink(dir / "link.txt"), "gone/real.txt");
    EXPECT_FALSE(std::filesystem::exists(dir / "gone"));
}

TEST(TextFile, ChainOfLinksIsWrittenThroughToItsEndInItsOwnFolder) {
    kvtest::TempFolder dir;
    kvtest::write_file(dir / "store" / "real.txt", "old");
    std::filesystem::create_symlink("store/real.txt", dir / "middle.txt");
    std::filesystem::create_symlink("middle.txt", dir / "first.txt");
    write_bytes_atomically(dir / "first.txt", "new");
    EXPECT_EQ(kvtest::read_file(dir / "store" / "real.txt"), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "first.txt"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "middle.txt"));
}

TEST(TextFile, StaleTemporariesOfOneFileAreRemovedAndNothingElse) {
    kvtest::TempFolder dir;
    const auto folder = dir.path();
    for (const char* name : {".Data.kvl.0123456789abcdef.tmp", ".Data.kvl.fedcba9876543210.tmp", "Data.kvl",
                             ".Data.kvl.0123.tmp", ".Data.kvl.0123456789abcdeX.tmp",
                             "Data.kvl.0123456789abcdef.tmp", ".Config.ini.0123456789abcdef.tmp"})
        kvtest::write_file(folder / name, "x");
    std::filesystem::create_directory(folder / ".Data.kvl.1111111111111111.tmp");
    EXPECT_EQ(remove_stale_temporaries(folder, "Data.kvl"), 2);
    EXPECT_EQ(list_folder(folder, EntryKind::files),
              (Lines{".Config.ini.0123456789abcdef.tmp", ".Data.kvl.0123.tmp",
                     ".Data.kvl.0123456789abcdeX.tmp", "Data.kvl", "Data.kvl.0123456789abcdef.tmp"}));
    EXPECT_TRUE(std::filesystem::is_directory(folder / ".Data.kvl.1111111111111111.tmp"));
    EXPECT_EQ(remove_stale_temporaries(folder / "missing", "Data.kvl"), 0);

    // Of every file with an ending: the profiles' ".reg" files, an empty profile name among them.
    for (const char* name :
         {".a.reg.0123456789abcdef.tmp", "..reg.0123456789abcdef.tmp", ".a.ini.0123456789abcdef.tmp"})
        kvtest::write_file(folder / name, "x");
    EXPECT_EQ(remove_stale_temporaries_of_kind(folder, ".reg"), 2);
    EXPECT_TRUE(std::filesystem::exists(folder / ".a.ini.0123456789abcdef.tmp"));
}

// A write killed halfway leaves its temporary; the next write of the same file removes it, but never
// the temporary of a write still under way, which holds it locked.
TEST(TextFile, TheNextWriteRemovesWhatAKilledWriteLeftButNotAWriteUnderWay) {
    kvtest::TempFolder dir;
    const auto file = dir / "profile.reg";
    kvtest::write_file(file, "old");
    // Killed by the file size limit's signal in the middle of writing its temporary.
    const int code = kvtest::exit_code_in_child([&] {
        rlimit no_core{0, 0};
        setrlimit(RLIMIT_CORE, &no_core);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        write_bytes_atomically(file, std::string(100000, 'x'));
        return 0;
    });
    ASSERT_EQ(code, -1) << "the write was not killed";
    Lines left = list_folder(dir.path(), EntryKind::files);
    ASSERT_EQ(left.size(), 2u);
    const std::string killed = left[0];
    EXPECT_EQ(killed.substr(0, 13), ".profile.reg.");

    const auto under_way = dir / ".profile.reg.00000000000000aa.tmp";
    kvtest::write_file(under_way, "half");
    const int held = ::open(under_way.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    write_bytes_atomically(file, "new");
    EXPECT_EQ(kvtest::read_file(file), "new");
    EXPECT_EQ(list_folder(dir.path(), EntryKind::files),
              (Lines{".profile.reg.00000000000000aa.tmp", "profile.reg"}));
    ::close(held);
    EXPECT_EQ(remove_stale_temporaries(dir.path(), "profile.reg"), 1);
}

}  // namespace
