#include <string>

#include "app/AppDelegate.hpp"
#include "platform/foundation/ClassRegistry.hpp"
#include "platform/uikit/UIApplicationMain.hpp"

// Hands the process to the platform's main loop with the application delegate's class name.
int main(int argc, char* argv[]) {
    const std::string delegateClassName = rovuzu::NSStringFromClass<rovuzu::AppDelegate>();
    rovuzu::UIApplicationMain(argc, argv, nullptr, delegateClassName);
    return 0;
}
