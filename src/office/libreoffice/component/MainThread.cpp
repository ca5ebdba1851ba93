#include "MainThread.h"

#include <com/sun/star/awt/AsyncCallback.hpp>
#include <com/sun/star/awt/XCallback.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>
#include <cppuhelper/exc_hlp.hxx>
#include <cppuhelper/implbase1.hxx>

#include <condition_variable>
#include <mutex>
#include <sys/syscall.h>
#include <unistd.h>

namespace pressmoor::office::libreoffice::component {
namespace {

using css::uno::Any;

// The office's event loop runs on the process's first thread.
bool OnMainThreadNow() { return syscall(SYS_gettid) == getpid(); }

class PostedWork : public cppu::WeakImplHelper1<css::awt::XCallback> {
 public:
  explicit PostedWork(const std::function<Any()>& work) : work_(work) {}

  void SAL_CALL notify(const Any&) override {
    Any result;
    Any failure;
    try {
      result = work_();
    } catch (const css::uno::Exception&) {
      failure = cppu::getCaughtException();
    } catch (const std::exception& error) {
      failure <<= css::uno::RuntimeException(::rtl::OUString::createFromAscii(error.what()));
    }
    std::lock_guard lock(mutex_);
    result_ = std::move(result);
    failure_ = std::move(failure);
    done_ = true;
    finished_.notify_one();
  }

  Any Result() {
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return done_; });
    if (failure_.hasValue()) cppu::throwException(failure_);
    return result_;
  }

 private:
  const std::function<Any()>& work_;
  std::mutex mutex_;
  std::condition_variable finished_;
  bool done_ = false;
  Any result_;
  Any failure_;
};

}  // namespace

Any OnMainThread(const css::uno::Reference<css::uno::XComponentContext>& context,
                 const std::function<Any()>& work) {
  if (OnMainThreadNow()) return work();
  auto* posted = new PostedWork(work);
  const css::uno::Reference<css::awt::XCallback> callback(posted);
  css::awt::AsyncCallback::create(context)->addCallback(callback, Any());
  return posted->Result();
}

}  // namespace pressmoor::office::libreoffice::component
