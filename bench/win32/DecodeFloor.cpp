// The floor under the panel's start-up: decoding every picture of a skin folder (and its
// subfolders) into premultiplied 32-bit bitmaps with GDI+, as the panel's picture cache does, in
// a program that does nothing else.
//   panel-decode-floor.exe FOLDER     prints the number of pictures and the milliseconds taken
#include <windows.h>

// GDI+ needs the COM declarations that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>

#include <gdiplus.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

int DecodeFolder(const std::wstring& folder) {
    int count = 0;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        return 0;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const std::wstring path = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            count += DecodeFolder(path);
            continue;
        }
        if (name.size() < 4 || (_wcsicmp(name.c_str() + name.size() - 4, L".png") != 0 &&
                                _wcsicmp(name.c_str() + name.size() - 4, L".bmp") != 0)) {
            continue;
        }
        std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromFile(path.c_str()));
        if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) {
            continue;
        }
        const Gdiplus::Rect all(0, 0, bitmap->GetWidth(), bitmap->GetHeight());
        Gdiplus::BitmapData data;
        if (bitmap->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) ==
            Gdiplus::Ok) {
            bitmap->UnlockBits(&data);
            ++count;
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return count;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fwprintf(stderr, L"usage: panel-decode-floor FOLDER\n");
        return 2;
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    const int count = DecodeFolder(argv[1]);
    Gdiplus::GdiplusShutdown(token);
    QueryPerformanceCounter(&end);
    wprintf(L"%d pictures %.1f ms\n", count,
            1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
    return 0;
}
