// The window program's resources as Windows reads them from the built file: its icon in both
// sizes the window shows, its version, and its manifest.
//
//   schnackomat_resources_tests PATH_OF_SCHNACKOMAT_EXE
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring program;

class Program : public ::testing::Test {
  protected:
    void SetUp() override {
        module_ = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "cannot read the program's resources";
    }
    void TearDown() override { FreeLibrary(module_); }
    HMODULE module_ = nullptr;
};

TEST_F(Program, HasItsIconInBothSizesTheWindowShows) {
    for (const int size : {16, 32}) {
        const auto icon = static_cast<HICON>(
            LoadImageW(module_, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST_F(Program, SaysItsVersion) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 3));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    wchar_t* version = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040704B0\\ProductVersion",
                               reinterpret_cast<void**>(&version), &length));
    EXPECT_STREQ(version, L"3.0.0");
}

TEST_F(Program, DeclaresItsDpiAwarenessAndTheCommonControls) {
    const HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const auto* text = static_cast<const char*>(LockResource(LoadResource(module_, found)));
    const std::string manifest(text, SizeofResource(module_, found));
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: schnackomat_resources_tests PATH_OF_SCHNACKOMAT_EXE\n");
        return 2;
    }
    const std::string path = argv[1];
    program.assign(path.begin(), path.end());
    return RUN_ALL_TESTS();
}
