#pragma once
// State that window procedures and hooks need once per thread.
//
// A thread_local object with a destructor is not safe in the Windows build: the MinGW-w64 runtime
// destroys it at thread exit through memory it has already freed (its emulated thread storage goes
// first), which corrupts the heap. So each thread's value lives on the heap, its pointer sits in a
// slot of the platform (a fibre-local slot on Windows, a thread key elsewhere) whose callback frees
// it when the thread ends, and no thread_local object is involved.

#include <atomic>
#include <cstddef>

namespace zv {

// What a slot holds: a value that knows how to free itself.
struct ThreadValue {
    void (*release)(ThreadValue*);
};

// One platform slot: a value per thread, released when its thread ends. Freeing the slot (the
// destructor: the program ends or the library holding it unloads) releases the values of all
// threads, so that no callback into unloaded code is left behind.
class ThreadSlot {
public:
    ThreadSlot();
    ~ThreadSlot();
    ThreadSlot(const ThreadSlot&) = delete;
    ThreadSlot& operator=(const ThreadSlot&) = delete;

    ThreadValue* Get() const;
    // False when the slot is gone (only while the program shuts down).
    bool Set(ThreadValue* value);

private:
    unsigned long index_ = 0;
    bool open_ = false;
};

// A value of T for each thread: made on first Get, freed when its thread ends or on Reset.
template <typename T>
class PerThread {
public:
    PerThread() = default;
    PerThread(const PerThread&) = delete;
    PerThread& operator=(const PerThread&) = delete;

    // This thread's value, or nullptr when it has none; a lookup never makes one.
    T* Find() const {
        Box* box = static_cast<Box*>(slot_.Get());
        return box != nullptr ? &box->value : nullptr;
    }
    // This thread's value, made when it has none. While the program shuts down (the slot is gone)
    // a value made here is never freed.
    T& Get() {
        if (T* value = Find()) return *value;
        Box* box = new Box(this);
        live_.fetch_add(1, std::memory_order_relaxed);
        slot_.Set(box);
        return box->value;
    }
    // Frees this thread's value now.
    void Reset() {
        Box* box = static_cast<Box*>(slot_.Get());
        if (box == nullptr) return;
        slot_.Set(nullptr);
        Release(box);
    }
    // Values alive in all threads.
    std::size_t Live() const { return live_.load(std::memory_order_relaxed); }

private:
    struct Box : ThreadValue {
        explicit Box(PerThread* o) : ThreadValue{&PerThread::Release}, owner(o) {}
        PerThread* owner;
        T value{};
    };
    static void Release(ThreadValue* v) {
        Box* box = static_cast<Box*>(v);
        box->owner->live_.fetch_sub(1, std::memory_order_relaxed);
        delete box;
    }
    std::atomic<std::size_t> live_{0};
    ThreadSlot slot_;  // declared last: freed first, while live_ still stands
};

}  // namespace zv
