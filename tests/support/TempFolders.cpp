#include "tests/support/TempFolders.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "store/Folders.h"

namespace fs = std::filesystem;

TempFolders::TempFolders()
{
    std::string pattern = (fs::temp_directory_path() / "vlm-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    data_ = root_ + "/data";
    program_ = root_ + "/program";
    fs::create_directories(data_);
    fs::create_directories(program_);
    SetDataFolderOverride(data_);
    SetProgramFolderOverride(program_);
}

TempFolders::~TempFolders()
{
    SetDataFolderOverride({});
    SetProgramFolderOverride({});
    std::error_code ec;
    // Tests may leave read-only files behind; give the owner write access before removing.
    for (auto it = fs::recursive_directory_iterator(root_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
}

void TempFolders::copyFactoryFiles() const
{
    for (const fs::directory_entry& entry : fs::directory_iterator(VLM_PROGRAM_DIR)) {
        const fs::path target = fs::path(program_) / entry.path().filename();
        if (entry.is_directory()) {
            fs::copy(entry.path(), target,
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        } else if (entry.is_regular_file() &&
                   (entry.status().permissions() & fs::perms::owner_exec) == fs::perms::none) {
            fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
        }
    }
}
