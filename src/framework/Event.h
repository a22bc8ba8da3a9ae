#pragma once

#include <functional>
#include <string>
#include <utility>

namespace quill {

class TObject;

// A bound callback. It remembers the name of the published handler it was
// bound to from a stored design, so that the design can be written back.
template <class... Args>
class TEvent {
public:
    using Handler = std::function<void(Args...)>;

    TEvent() = default;
    TEvent(Handler handler, std::string handlerName = {})  // NOLINT: implicit from a callable
        : FHandler(std::move(handler)), FHandlerName(std::move(handlerName)) {}
    template <class F, class = std::enable_if_t<std::is_invocable_v<F, Args...>>>
    TEvent(F f) : FHandler(std::move(f)) {}  // NOLINT: implicit from a lambda

    explicit operator bool() const { return static_cast<bool>(FHandler); }
    void operator()(Args... args) const { FHandler(std::forward<Args>(args)...); }
    const std::string& HandlerName() const { return FHandlerName; }

private:
    Handler FHandler;
    std::string FHandlerName;
};

using TNotifyEvent = TEvent<TObject*>;

}  // namespace quill
