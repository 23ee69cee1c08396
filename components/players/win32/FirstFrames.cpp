#include "components/players/win32/FirstFrames.h"

#include <ole2.h>
#include <wmsdkidl.h>
#include <wrl/client.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

namespace players {

namespace {

using Microsoft::WRL::ComPtr;

// The media types the reader offers, by value: the SDK's names for them come from a library the
// toolchain does not have.
constexpr GUID kMediaTypeVideo = {0x73646976, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr GUID kSubtypeRgb32 = {0xE436EB7E, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
constexpr GUID kFormatVideoInfo = {0x05589F80, 0xC356, 0x11CE, {0xBF, 0x01, 0x00, 0xAA, 0x00, 0x55, 0x59, 0x5A}};

struct VideoInfoHeader {
    RECT source, target;
    DWORD bitRate, bitErrorRate;
    LONGLONG timePerFrame;
    BITMAPINFOHEADER bitmap;
};

// The moment a file was last written and its size: a copy replaced under the same name is another movie.
struct FileStamp {
    FILETIME written{};
    ULONGLONG size = 0;
    bool operator==(const FileStamp& o) const {
        return written.dwLowDateTime == o.written.dwLowDateTime && written.dwHighDateTime == o.written.dwHighDateTime &&
               size == o.size;
    }
};

bool StampOf(const std::wstring& path, FileStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    stamp.written = data.ftLastWriteTime;
    stamp.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

struct Entry {
    FileStamp stamp;
    bool pending = false;
    bool done = false;                        // decoded, or found not decodable
    std::shared_ptr<const VideoFrame> frame;  // null: not decodable
    std::vector<HWND> waiting;
};

std::mutex& Lock() {
    static std::mutex lock;
    return lock;
}
std::map<std::wstring, Entry>& Entries() {
    static std::map<std::wstring, Entry> entries;
    return entries;
}

// The output of the reader that carries video, set to deliver 32-bit RGB; false when there is none.
bool ChooseRgbOutput(IWMSyncReader& reader, DWORD& output, int& width, int& height) {
    DWORD outputs = 0;
    if (FAILED(reader.GetOutputCount(&outputs))) return false;
    for (DWORD o = 0; o < outputs; ++o) {
        DWORD formats = 0;
        if (FAILED(reader.GetOutputFormatCount(o, &formats))) continue;
        for (DWORD f = 0; f < formats; ++f) {
            ComPtr<IWMOutputMediaProps> props;
            if (FAILED(reader.GetOutputFormat(o, f, &props))) continue;
            DWORD size = 0;
            if (FAILED(props->GetMediaType(nullptr, &size)) || size < sizeof(WM_MEDIA_TYPE)) continue;
            std::vector<BYTE> bytes(size);
            auto* type = reinterpret_cast<WM_MEDIA_TYPE*>(bytes.data());
            if (FAILED(props->GetMediaType(type, &size))) continue;
            if (!IsEqualGUID(type->majortype, kMediaTypeVideo) || !IsEqualGUID(type->subtype, kSubtypeRgb32)) continue;
            if (!IsEqualGUID(type->formattype, kFormatVideoInfo) || type->cbFormat < sizeof(VideoInfoHeader) ||
                !type->pbFormat)
                continue;
            const auto* info = reinterpret_cast<const VideoInfoHeader*>(type->pbFormat);
            width = info->bitmap.biWidth;
            height = info->bitmap.biHeight;
            if (width <= 0 || height == 0 || width > 8192 || height > 8192 || height < -8192) continue;
            if (FAILED(reader.SetOutputProps(o, props.Get()))) continue;
            output = o;
            return true;
        }
    }
    return false;
}

// The file's bytes in a stream of their own: the reader never holds the file, which the author may
// replace or delete meanwhile. A file too large to copy keeps its poster.
ComPtr<IStream> StreamOf(const std::wstring& path) {
    constexpr LONGLONG kLargest = 256ll << 20;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    ComPtr<IStream> stream;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= kLargest) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(size.QuadPart));
        void* bytes = memory ? GlobalLock(memory) : nullptr;
        DWORD read = 0;
        const bool whole = bytes && ReadFile(file, bytes, static_cast<DWORD>(size.QuadPart), &read, nullptr) &&
                           read == static_cast<DWORD>(size.QuadPart);
        if (bytes) GlobalUnlock(memory);
        if (whole && SUCCEEDED(CreateStreamOnHGlobal(memory, TRUE, &stream))) memory = nullptr;
        if (memory) GlobalFree(memory);
    }
    CloseHandle(file);
    return stream;
}

std::shared_ptr<const VideoFrame> Decode(const std::wstring& path) {
    using Create = HRESULT(WINAPI*)(IUnknown*, DWORD, IWMSyncReader**);
    const ComPtr<IStream> stream = StreamOf(path);
    if (!stream) return nullptr;
    HMODULE library = LoadLibraryW(L"wmvcore.dll");
    if (!library) return nullptr;
    std::shared_ptr<VideoFrame> result;
    auto create = reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(library, "WMCreateSyncReader")));
    ComPtr<IWMSyncReader> reader;
    DWORD output = 0;
    int width = 0, height = 0;
    if (create && SUCCEEDED(create(nullptr, 0, &reader)) && SUCCEEDED(reader->OpenStream(stream.Get())) &&
        ChooseRgbOutput(*reader.Get(), output, width, height)) {
        // The first sample of the video output; other streams' samples are passed over.
        for (int samples = 0; samples < 256 && !result; ++samples) {
            ComPtr<INSSBuffer> buffer;
            QWORD time = 0, duration = 0;
            DWORD flags = 0, from = 0;
            WORD stream = 0;
            if (FAILED(reader->GetNextSample(0, &buffer, &time, &duration, &flags, &from, &stream))) break;
            if (from != output || !buffer) continue;
            BYTE* data = nullptr;
            DWORD length = 0;
            const int rows = height < 0 ? -height : height;
            if (FAILED(buffer->GetBufferAndLength(&data, &length)) || !data ||
                length < static_cast<DWORD>(width) * static_cast<DWORD>(rows) * 4)
                break;
            auto frame = std::make_shared<VideoFrame>();
            frame->width = width;
            frame->height = rows;
            frame->pixels.resize(static_cast<size_t>(width) * rows);
            // A positive height is a picture stored bottom row first.
            for (int y = 0; y < rows; ++y) {
                const BYTE* row = data + static_cast<size_t>(height > 0 ? rows - 1 - y : y) * width * 4;
                for (int x = 0; x < width; ++x)
                    frame->pixels[static_cast<size_t>(y) * width + x] =
                        (row[x * 4 + 2] << 16) | (row[x * 4 + 1] << 8) | row[x * 4];
            }
            result = std::move(frame);
        }
        reader->Close();
    }
    reader.Reset();
    FreeLibrary(library);
    return result;
}

struct Job {
    std::wstring path;
    HMODULE self;
};

DWORD WINAPI DecodeThread(void* parameter) {
    std::unique_ptr<Job> job(static_cast<Job*>(parameter));
    const HMODULE self = job->self;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    std::shared_ptr<const VideoFrame> frame;
    try {
        frame = Decode(job->path);
    } catch (...) {
        frame = nullptr;  // a file the stack chokes on keeps its poster
    }
    if (SUCCEEDED(com)) CoUninitialize();
    std::vector<HWND> waiting;
    {
        std::lock_guard<std::mutex> guard(Lock());
        Entry& entry = Entries()[job->path];
        entry.pending = false;
        entry.done = true;
        entry.frame = frame;
        waiting.swap(entry.waiting);
    }
    for (HWND window : waiting)
        if (IsWindow(window)) PostMessageW(window, kMsgFirstFrameDone, 0, 0);
    job.reset();
    // The library stays loaded while its code runs here, whoever lets it go meanwhile.
    FreeLibraryAndExitThread(self, 0);
}

}  // namespace

std::shared_ptr<const VideoFrame> DecodedFirstFrame(const std::wstring& path) {
    FileStamp stamp;
    if (!StampOf(path, stamp)) return nullptr;
    std::lock_guard<std::mutex> guard(Lock());
    const auto it = Entries().find(path);
    if (it == Entries().end() || it->second.pending || !(it->second.stamp == stamp)) return nullptr;
    return it->second.frame;
}

void RequestFirstFrame(const std::wstring& path, HWND notify) {
    FileStamp stamp;
    if (path.empty() || !StampOf(path, stamp)) return;
    {
        std::lock_guard<std::mutex> guard(Lock());
        Entry& entry = Entries()[path];
        const bool listed = std::find(entry.waiting.begin(), entry.waiting.end(), notify) != entry.waiting.end();
        if (entry.pending) {
            // Under way (for a file changed meanwhile too: the new content waits its turn).
            if (notify && !listed) entry.waiting.push_back(notify);
            return;
        }
        if (entry.done && entry.stamp == stamp) return;
        entry = Entry{};
        entry.stamp = stamp;
        entry.pending = true;
        if (notify) entry.waiting.push_back(notify);
    }
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&DecodeThread), &self);
    auto* job = new Job{path, self};
    HANDLE thread = CreateThread(nullptr, 0, DecodeThread, job, 0, nullptr);
    if (thread) {
        CloseHandle(thread);
        return;
    }
    delete job;
    if (self) FreeLibrary(self);
    std::lock_guard<std::mutex> guard(Lock());
    Entries()[path].pending = false;
}

}  // namespace players
