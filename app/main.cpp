#include "app/CVanemarkApp.h"
#include "app/PlatformChoice.h"

int main(int argc, char** argv)
{
    vanemark::PreferPlainImageTransfer();
    return vanemark::CVanemarkApp::Main(argc, argv);
}
