// Running work on the office's main thread, from a thread of the bridge.
// Calls made on the main thread wake no other thread when they let go of the
// office's lock; calls made elsewhere wake the main thread each time. The
// work is posted to the office's event loop and waited for; what it throws
// is thrown here, as the same exception.
#pragma once

#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <functional>

namespace pressmoor::office::libreoffice::component {

namespace css = ::com::sun::star;

// Runs `work` on the main thread and returns its result; on the main thread
// itself it runs at once. Waits as long as the work takes: a hang is the
// office's, for its watchdog to end.
css::uno::Any OnMainThread(const css::uno::Reference<css::uno::XComponentContext>& context,
                           const std::function<css::uno::Any()>& work);

}  // namespace pressmoor::office::libreoffice::component
