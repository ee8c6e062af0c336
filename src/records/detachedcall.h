#ifndef TESSARO_RECORDS_DETACHEDCALL_H
#define TESSARO_RECORDS_DETACHEDCALL_H

#include <QObject>

#include <chrono>
#include <functional>

// Calls that may never return. A file system that no longer answers (a network drive whose
// server has gone) blocks every call that touches it, and a thread blocked there can be neither
// ended nor waited for. Such a call runs on a thread of its own that nobody waits for; the thread
// holds nothing but the call and a shared hand-over point, so its receiver may go away at any time
// and the program may end while the call still hangs.

// How long a caller waits for an answer before it tells the user that nothing answers.
inline constexpr std::chrono::milliseconds kAnswerPatience{2000};

namespace detail {
// Runs work on a detached thread; the function it returns is called in the receiver's thread,
// unless the receiver has been destroyed by then.
void startDetached(QObject *receiver, std::function<std::function<void()>()> work);
} // namespace detail

// Calls call on a thread of its own and hands its result to answer in the receiver's thread, as a
// queued call. When the receiver has been destroyed by then, the result is dropped. The call must
// own everything it uses.
template<typename Result>
void callDetached(
    QObject *receiver, std::function<Result()> call, std::function<void(const Result &)> answer)
{
    detail::startDetached(
        receiver, [call = std::move(call), answer = std::move(answer)]() -> std::function<void()> {
            return [answer, result = call()] {
                answer(result);
            };
        });
}

#endif
