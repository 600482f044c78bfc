#include "FontConfigWarmUp.h"

#ifdef KORVO_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

FontConfigWarmUp::FontConfigWarmUp()
{
#ifdef KORVO_HAVE_FONTCONFIG
    m_thread = std::thread([] { FcInit(); });
#endif
}

FontConfigWarmUp::~FontConfigWarmUp()
{
    wait();
}

void FontConfigWarmUp::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
