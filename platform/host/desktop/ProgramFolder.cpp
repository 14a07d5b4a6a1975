#include "platform/host/desktop/ProgramFolder.hpp"

namespace rovuzu {

std::filesystem::path ProgramFolder::executable() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path{} : self.parent_path();
}

}  // namespace rovuzu
