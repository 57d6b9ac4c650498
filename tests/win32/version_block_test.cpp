// The resources compiled into quorvane.exe: read from the built executable, loaded as data,
// since the test suite itself does not carry them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace quorvane {
namespace {

// The suites run in build/<config>/tests; the executable is built in build/<config>/app.
constexpr wchar_t kExecutable[] = L"..\\app\\quorvane.exe";

struct LibraryFree {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Library = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFree>;

using VerQueryValueFunction = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);

class ExecutableResources : public testing::Test {
 protected:
  void SetUp() override {
    if (GetFileAttributesW(kExecutable) == INVALID_FILE_ATTRIBUTES) {
      GTEST_SKIP() << "quorvane.exe has not been built beside the tests";
    }
    executable_.reset(LoadLibraryExW(kExecutable, nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(executable_) << GetLastError();
  }

  // The bytes of one resource, copied out of the loaded file; empty when it is missing.
  std::vector<std::uint8_t> Resource(const wchar_t* name, const wchar_t* type) const {
    HRSRC found = FindResourceW(executable_.get(), name, type);
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(executable_.get(), found);
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
    if (bytes == nullptr) return {};
    return {bytes, bytes + SizeofResource(executable_.get(), found)};
  }

  Library executable_;
};

// Reads values out of the version block. version.dll is loaded here rather than linked, as
// nothing else in the program needs it.
class VersionBlock : public ExecutableResources {
 protected:
  void SetUp() override {
    ExecutableResources::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    block_ = Resource(MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    ASSERT_FALSE(block_.empty());
    versionDll_.reset(LoadLibraryW(L"version.dll"));
    ASSERT_TRUE(versionDll_);
    // Through void (*)() so that the compiler takes the cast as deliberate.
    query_ = reinterpret_cast<VerQueryValueFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(versionDll_.get(), "VerQueryValueW")));
    ASSERT_NE(query_, nullptr);
  }

  // The value at `path`, or nothing.
  std::span<const std::uint8_t> Value(const wchar_t* path) {
    void* value = nullptr;
    UINT length = 0;
    if (!query_(block_.data(), path, &value, &length) || value == nullptr) return {};
    return {static_cast<const std::uint8_t*>(value), length};
  }

  std::wstring_view Text(const wchar_t* name) {
    const std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
    void* value = nullptr;
    UINT length = 0;  // in characters, the terminating zero included
    if (!query_(block_.data(), path.c_str(), &value, &length) || value == nullptr) return {};
    std::wstring_view text(static_cast<const wchar_t*>(value), length);
    return text.substr(0, text.find(L'\0'));
  }

  std::vector<std::uint8_t> block_;
  Library versionDll_;
  VerQueryValueFunction query_ = nullptr;
};

TEST_F(VersionBlock, FileAndProductVersionAre3030) {
  const auto fixed = Value(L"\\");
  ASSERT_EQ(fixed.size(), sizeof(VS_FIXEDFILEINFO));
  VS_FIXEDFILEINFO info;
  std::copy(fixed.begin(), fixed.end(), reinterpret_cast<std::uint8_t*>(&info));
  EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(info.dwFileVersionMS, 0x00030000u);
  EXPECT_EQ(info.dwFileVersionLS, 0x00030000u);
  EXPECT_EQ(info.dwProductVersionMS, 0x00030000u);
  EXPECT_EQ(info.dwProductVersionLS, 0x00030000u);
  EXPECT_EQ(info.dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionBlock, TranslationIsChineseInUtf16) {
  const auto translation = Value(L"\\VarFileInfo\\Translation");
  ASSERT_EQ(translation.size(), 4u);
  EXPECT_EQ(translation[0] | translation[1] << 8, 0x0804);
  EXPECT_EQ(translation[2] | translation[3] << 8, 1200);
}

// The .rc file is UTF-8: a wrong code page would turn the Chinese into other characters.
TEST_F(VersionBlock, StringsNameTheProductAndItsMaker) {
  EXPECT_EQ(Text(L"ProductName"), L"Quorvane");
  EXPECT_EQ(Text(L"CompanyName"), L"Draxen");
  EXPECT_EQ(Text(L"FileVersion"), L"3.0.3.0");
  EXPECT_EQ(Text(L"ProductVersion"), L"3.0.3.0");
  EXPECT_EQ(Text(L"OriginalFilename"), L"quorvane.exe");
  EXPECT_EQ(Text(L"FileDescription"), L"Quorvane 定时关机");
  EXPECT_EQ(Text(L"LegalCopyright"), L"版权所有 (C) Draxen");
}

TEST_F(ExecutableResources, DefaultIconMakesAnIconAtEachSize) {
  std::vector<std::uint8_t> group = Resource(L"DEFAULT_ICON", RT_GROUP_ICON);
  ASSERT_FALSE(group.empty());
  for (int size : {128, 64, 48, 32, 16}) {
    const int id = LookupIconIdFromDirectoryEx(group.data(), TRUE, size, size, LR_DEFAULTCOLOR);
    ASSERT_NE(id, 0) << size;
    std::vector<std::uint8_t> image = Resource(MAKEINTRESOURCEW(id), RT_ICON);
    ASSERT_FALSE(image.empty()) << size;
    HICON icon = CreateIconFromResourceEx(image.data(), image.size(), TRUE, 0x00030000, size, size,
                                          LR_DEFAULTCOLOR);
    EXPECT_NE(icon, nullptr) << size;
    ICONINFO info{};
    if (icon != nullptr && GetIconInfo(icon, &info)) {
      BITMAP bitmap{};
      GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
      EXPECT_EQ(bitmap.bmWidth, size);
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
    }
    if (icon != nullptr) DestroyIcon(icon);
  }
}

// The web boxes open the page as res://quorvane.exe/ABOUT.HTML.
TEST_F(ExecutableResources, ProductPageIsAnHtmlResource) {
  const std::vector<std::uint8_t> page = Resource(L"ABOUT.HTML", RT_HTML);
  const std::string_view text(reinterpret_cast<const char*>(page.data()), page.size());
  EXPECT_TRUE(text.starts_with("<!DOCTYPE html>")) << text.substr(0, 40);
  EXPECT_NE(text.find("<meta charset=\"utf-8\">"), std::string_view::npos);
}

}  // namespace
}  // namespace quorvane
