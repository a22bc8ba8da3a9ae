#pragma once

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
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
        : FHandler(std::move(handler)), FHandlerName(NameOrNull(std::move(handlerName))) {}
    template <class F, class = std::enable_if_t<std::is_invocable_v<F, Args...> &&
                                                !std::is_same_v<std::decay_t<F>, TEvent>>>
    TEvent(F f) : FHandler(std::move(f)) {}  // NOLINT: implicit from a lambda
    TEvent(const TEvent& other) : FHandler(other.FHandler), FHandlerName(CopyName(other)) {}
    TEvent(TEvent&&) noexcept = default;
    TEvent& operator=(const TEvent& other) {
        if (this != &other) {
            FHandler = other.FHandler;
            FHandlerName = CopyName(other);
        }
        return *this;
    }
    TEvent& operator=(TEvent&&) noexcept = default;
    ~TEvent() = default;

    explicit operator bool() const { return static_cast<bool>(FHandler); }
    void operator()(Args... args) const { FHandler(std::forward<Args>(args)...); }
    const std::string& HandlerName() const {
        static const std::string none;
        return FHandlerName ? *FHandlerName : none;
    }

private:
    static std::unique_ptr<const std::string> NameOrNull(std::string name) {
        return name.empty() ? nullptr : std::make_unique<const std::string>(std::move(name));
    }
    static std::unique_ptr<const std::string> CopyName(const TEvent& other) {
        return other.FHandlerName ? std::make_unique<const std::string>(*other.FHandlerName) : nullptr;
    }

    Handler FHandler;
    // Only handlers bound from a design have a name; every control holds
    // several events, most of them unnamed.
    std::unique_ptr<const std::string> FHandlerName;
};

using TNotifyEvent = TEvent<TObject*>;

}  // namespace quill
