#include "PerThread.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#endif

namespace zv {
namespace {

#ifdef _WIN32
VOID NTAPI ReleaseValue(PVOID value) {
#else
extern "C" void ReleaseValue(void* value) {
#endif
    auto* v = static_cast<ThreadValue*>(value);
    v->release(v);
}

}  // namespace

#ifdef _WIN32

// A fibre-local slot's callback is handed the value itself, so nothing at thread exit reads thread
// storage the runtime may already have freed; freeing the slot calls it for every thread's value.
ThreadSlot::ThreadSlot() {
    const DWORD index = FlsAlloc(&ReleaseValue);
    open_ = index != FLS_OUT_OF_INDEXES;
    index_ = index;
}

ThreadSlot::~ThreadSlot() {
    if (!open_) return;
    open_ = false;
    FlsFree(static_cast<DWORD>(index_));
}

ThreadValue* ThreadSlot::Get() const {
    return open_ ? static_cast<ThreadValue*>(FlsGetValue(static_cast<DWORD>(index_))) : nullptr;
}

bool ThreadSlot::Set(ThreadValue* value) { return open_ && FlsSetValue(static_cast<DWORD>(index_), value); }

#else

ThreadSlot::ThreadSlot() {
    pthread_key_t key;
    open_ = pthread_key_create(&key, &ReleaseValue) == 0;
    index_ = open_ ? static_cast<unsigned long>(key) : 0;
}

ThreadSlot::~ThreadSlot() {
    if (!open_) return;
    // A key's destructor runs only when a thread ends: this thread's value goes now. Other threads
    // have ended by the time the program's statics go.
    const auto key = static_cast<pthread_key_t>(index_);
    if (void* value = pthread_getspecific(key)) {
        pthread_setspecific(key, nullptr);
        ReleaseValue(value);
    }
    open_ = false;
    pthread_key_delete(key);
}

ThreadValue* ThreadSlot::Get() const {
    return open_ ? static_cast<ThreadValue*>(pthread_getspecific(static_cast<pthread_key_t>(index_))) : nullptr;
}

bool ThreadSlot::Set(ThreadValue* value) {
    return open_ && pthread_setspecific(static_cast<pthread_key_t>(index_), value) == 0;
}

#endif

}  // namespace zv
