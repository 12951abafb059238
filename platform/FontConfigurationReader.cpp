#include "platform/FontConfigurationReader.h"

#include <fontconfig/fontconfig.h>

// fontconfig initialises once per process under an atomic swap, so Qt's own call on the
// main thread is safe while this one runs: whichever comes second finds it done, or at
// worst reads the files again.
FontConfigurationReader::FontConfigurationReader()
    : thread_([] { FcInit(); })
{
}

FontConfigurationReader::~FontConfigurationReader()
{
    wait();
}

void FontConfigurationReader::wait()
{
    if (thread_.joinable())
        thread_.join();
}
