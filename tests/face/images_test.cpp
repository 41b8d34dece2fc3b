// Picture loading: which pair each size takes, what the user is told when a picture or the
// module is missing, and pictures that stand on their own once loaded.
#include "face/face_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/program_folder.h"
#include "tests/face/face_test_support.h"
#include "tests/face/gdiplus_trace.h"
#include "tests/support/message_box_watch.h"
#include "tests/support/registry_guard.h"

namespace {

constexpr const wchar_t* kPictureType = L"PNGFILE";
constexpr const wchar_t* kChildProgram = L"companion_library_child.exe";

struct ScaleRow {
  int scale;
  WORD face_id;
  UINT face_width;  // of that id in fixture_faces
};

const ScaleRow kScaleRows[] = {
    {0, IDP_FACE_50, 64},   {1, IDP_FACE_65, 128},       {2, IDP_FACE_80, 160},
    {3, IDP_FACE_100, 200}, {7, IDP_FACE_65, 128},       {-1, IDP_FACE_65, 128},
    {4, IDP_FACE_65, 128},  {INT_MIN, IDP_FACE_65, 128},
};

TEST(FaceImages, EachScaleLoadsItsPair) {
  for (const ScaleRow& row : kScaleRows) {
    SCOPED_TRACE("scale " + std::to_string(row.scale));
    EXPECT_EQ(FaceIdForScale(row.scale), row.face_id);
    TestClock clock;
    clock.UseModule(L"fixture_faces.dll");
    clock.state.scale = row.scale;
    ASSERT_TRUE(LoadFaceImages(clock.state));
    EXPECT_EQ(FaceWidth(clock.state), row.face_width);
    EXPECT_EQ(clock.state.overlay_image->GetWidth(), row.face_width);
  }
}

// GDI+'s pictures that `calls` made with pixel memory of their own and did not dispose of.
std::vector<const void*> LivePictures(const std::vector<TracedCall>& calls) {
  std::vector<const void*> live;
  for (const TracedCall& call : calls) {
    if (call.call == ImageCall::kFromPixels) {
      live.push_back(call.image);
    } else if (call.call == ImageCall::kDispose) {
      live.erase(std::remove(live.begin(), live.end(), call.image), live.end());
    }
  }
  return live;
}

TEST(FaceImages, SizeChangeReleasesTheOldPairBeforeLoadingTheNew) {
  TestClock clock;
  clock.UseModule(L"fixture_faces.dll");
  GdiplusTrace trace;
  clock.state.scale = 1;
  ASSERT_TRUE(LoadFaceImages(clock.state));
  const std::vector<const void*> old_pair = LivePictures(trace.calls());
  ASSERT_EQ(old_pair.size(), 2u);

  trace.Clear();
  clock.state.scale = 3;
  ASSERT_TRUE(LoadFaceImages(clock.state));
  const std::vector<TracedCall>& calls = trace.calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[0].call, ImageCall::kDispose);
  EXPECT_EQ(calls[0].image, old_pair[0]) << "the old face goes first";
  EXPECT_EQ(calls[1].call, ImageCall::kDispose);
  EXPECT_EQ(calls[1].image, old_pair[1]) << "then the old overlay";
  EXPECT_EQ(calls[2].call, ImageCall::kFromStream) << "and only then the new face is read";
  EXPECT_EQ(FaceWidth(clock.state), 200u);
}

struct MissingRow {
  const char* name;
  const wchar_t* module;  // none: the look-ups go to the test program's own resources
  int scale;
  bool face_loads;
  bool overlay_loads;
};

const MissingRow kMissingRows[] = {
    {"overlay missing", L"fixture_no_overlay.dll", 0, true, false},
    {"face not a PNG", L"fixture_not_png.dll", 1, false, true},
    {"no picture module", nullptr, 1, false, false},
};

TEST(FaceImages, MissingPictureIsToldOnceAndEndsTheWindow) {
  for (const MissingRow& row : kMissingRows) {
    SCOPED_TRACE(row.name);
    TestClock clock;
    if (row.module) {
      clock.UseModule(row.module);
    }
    clock.state.scale = row.scale;
    const HWND hwnd = clock.state.hwnd;
    MessageBoxWatch watch;
    EXPECT_FALSE(LoadFaceImages(clock.state));
    // A picture that did load stays for the tear-down to release.
    EXPECT_EQ(clock.state.face_image != nullptr, row.face_loads);
    EXPECT_EQ(clock.state.overlay_image != nullptr, row.overlay_loads);
    ASSERT_EQ(watch.seen().size(), 1u);
    const SeenMessageBox& box = watch.seen()[0];
    EXPECT_EQ(box.text, L"Error load image files.");
    EXPECT_EQ(box.title, clock.state.caption);
    EXPECT_EQ(box.owner, hwnd);
    EXPECT_TRUE(box.error_icon);
    EXPECT_FALSE(IsWindow(hwnd));
  }
}

TEST(LoadPngResource, BytesThatAreNoPngGiveNoPicture) {
  const HMODULE module = LoadPictureModule(L"fixture_not_png.dll");
  const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(IDP_FACE_65), kPictureType);
  ASSERT_NE(resource, nullptr);
  EXPECT_EQ(LoadPngResource(module, resource), nullptr);
  FreeLibrary(module);
}

TEST(LoadPngResource, PictureOwnsItsPixels) {
  const HMODULE module = LoadPictureModule(L"fixture_faces.dll");
  const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(IDP_OVERLAY_65), kPictureType);
  ASSERT_NE(resource, nullptr);
  GdiplusTrace trace;
  Gdiplus::Bitmap* picture = LoadPngResource(module, resource);
  ASSERT_NE(picture, nullptr);
  // Whatever GDI+ read from the stream is disposed of: nothing is left that could read the
  // memory copy, which LoadPngResource has freed by now.
  std::vector<const void*> from_stream;
  for (const TracedCall& call : trace.calls()) {
    if (call.call == ImageCall::kFromStream) {
      from_stream.push_back(call.image);
    }
  }
  ASSERT_EQ(from_stream.size(), 1u);
  const std::vector<const void*> live = LivePictures(trace.calls());
  ASSERT_EQ(live.size(), 1u);
  EXPECT_NE(live[0], from_stream[0]);
  EXPECT_EQ(std::count_if(trace.calls().begin(), trace.calls().end(),
                          [&](const TracedCall& call) {
                            return call.call == ImageCall::kDispose && call.image == from_stream[0];
                          }),
            1);

  // Read and painted after the copy is gone: the cap of the overlay, opaque rgb(200, 40, 40).
  Gdiplus::Color cap;
  ASSERT_EQ(picture->GetPixel(62, 62, &cap), Gdiplus::Ok);
  EXPECT_EQ(cap.GetValue(), 0xFFC82828u);
  Gdiplus::Bitmap canvas(128, 128, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics graphics(&canvas);
    EXPECT_EQ(graphics.DrawImage(picture, 0, 0), Gdiplus::Ok);
  }
  Gdiplus::Color painted;
  ASSERT_EQ(canvas.GetPixel(62, 62, &painted), Gdiplus::Ok);
  EXPECT_EQ(painted.GetValue(), 0xFFC82828u);
  delete picture;
  FreeLibrary(module);
}

TEST(LoadResourceModule, NewerWindowsTakesTheSystemControlPanel) {
  ASSERT_GT(LOBYTE(GetVersion()), 5);
  TestClock clock;
  MessageBoxWatch watch;
  EXPECT_TRUE(LoadResourceModule(clock.state));
  ASSERT_NE(clock.state.resource_module, nullptr)
      << "the Wine prefix needs the face module installed as system32\\timedate.cpl";
  EXPECT_NE(FindResourceW(clock.state.resource_module, MAKEINTRESOURCEW(IDP_FACE_65), kPictureType),
            nullptr);
  EXPECT_TRUE(watch.seen().empty());
  EXPECT_TRUE(IsWindow(clock.state.hwnd));
  FreeLibrary(clock.state.resource_module);
}

// A fresh folder under the temporary folder, removed with the files put into it.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = temp + name + L"_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    for (const std::wstring& file : files_) {
      DeleteFileW(file.c_str());
    }
    RemoveDirectoryW(path_.c_str());
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Copies a file from beside the test program in, under `name`; returns its new path.
  std::wstring Add(const wchar_t* source, const wchar_t* name) {
    const std::wstring target = path_ + L"\\" + name;
    EXPECT_TRUE(CopyFileW(ProgramFolderFile(source).c_str(), target.c_str(), FALSE));
    files_.push_back(target);
    return target;
  }
  const std::wstring& path() const {
    return path_;
  }

 private:
  std::wstring path_;
  std::vector<std::wstring> files_;
};

// Runs a program in `folder` with our output as its own; returns its exit code.
DWORD RunProgram(const std::wstring& program, const std::wstring& arguments,
                 const std::wstring& folder) {
  std::wstring command = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    ADD_FAILURE() << "cannot start the child program: error " << GetLastError();
    return ~0u;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exit_code = ~0u;
  GetExitCodeProcess(process.hProcess, &exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exit_code;
}

struct CompanionRow {
  const wchar_t* child_test;
  bool library_beside_program;
};

// The child checks what it sees, and each row's name says what that is. A companion library in
// the current folder must not count: only the program's own folder does.
const CompanionRow kCompanionRows[] = {
    {L"MissingLibraryStopsTheSetUp", false},
    {L"LibraryBesideTheProgramIsTaken", true},
};

TEST(LoadResourceModule, OlderWindowsTakesTheCompanionLibraryBesideTheProgram) {
  // Wine reads the version it reports from these per-program settings once, when a program
  // starts: so the child program, started afterwards, runs on "Windows XP".
  const std::wstring settings = std::wstring(L"Software\\Wine\\AppDefaults\\") + kChildProgram;
  RegistryKeyGuard guard(HKEY_CURRENT_USER, settings);
  HKEY key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, settings.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const wchar_t version[] = L"winxp";
  RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                 sizeof version);
  RegCloseKey(key);

  for (const CompanionRow& row : kCompanionRows) {
    SCOPED_TRACE(row.child_test);
    ScratchFolder program_folder(L"velomir_program");
    ScratchFolder current_folder(L"velomir_current");
    const std::wstring child = program_folder.Add(kChildProgram, kChildProgram);
    ScratchFolder& library_folder = row.library_beside_program ? program_folder : current_folder;
    library_folder.Add(L"fixture_faces.dll", L"zentoria.dll");
    const std::wstring filter = std::wstring(L"--gtest_filter=CompanionLibrary.") + row.child_test;
    EXPECT_EQ(RunProgram(child, filter, current_folder.path()), 0u);
  }
}

}  // namespace
