#include "app/CVanemarkApp.h"

int main(int argc, char** argv)
{
    return vanemark::CVanemarkApp::Main(argc, argv);
}
