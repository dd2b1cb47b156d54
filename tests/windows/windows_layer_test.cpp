// The Windows layer against the real system (under Wine when cross-built):
// registry texts with their type checks, the settings key, the named mutex,
// the UTF-16 command line and the JPEG file replacement. Every registry test
// works in a key of its own under HKEY_CURRENT_USER and deletes it again.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "base/utf8_path.h"
#include "core/window/jpeg_writer.h"
#include "platform/windows/arguments.h"
#include "platform/windows/named_mutex.h"
#include "platform/windows/registry.h"
#include "platform/windows/wide_text.h"

namespace wexmora::platform {
namespace {

// A scratch key HKEY_CURRENT_USER\SOFTWARE\Wex_mora_test_<pid>_<n>.
class ScratchKey : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    subkey = L"SOFTWARE\\Wex_mora_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, subkey.c_str()); }

  void put(const std::wstring& name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
  }
  void putText(const std::wstring& name, DWORD type, const std::wstring& text, bool terminated = true) {
    put(name, type, text.c_str(), static_cast<DWORD>((text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t)));
  }
  DWORD storedType(const std::wstring& name) {
    DWORD type = REG_NONE;
    RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, nullptr);
    return type;
  }

  std::wstring subkey;
};

TEST_F(ScratchKey, ProcessorTextsAreReadWithTheirTypesChecked) {
  const DWORD number = 6;
  const unsigned char bytes[] = {1, 2, 3};
  putText(L"Plain", REG_SZ, L"  Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz");
  putText(L"Expandable", REG_EXPAND_SZ, L"Intel64 Family 6 Model 158 Stepping 10");
  putText(L"Unterminated", REG_SZ, L"Core™ Ultra — процессор", false);
  putText(L"Empty", REG_SZ, L"", false);
  put(L"Number", REG_DWORD, &number, sizeof number);
  put(L"Bytes", REG_BINARY, bytes, sizeof bytes);
  put(L"EmptyBytes", REG_BINARY, bytes, 0);

  struct Case {
    const char* value;
    const char* expected;  // nullptr: the read throws
  };
  const Case cases[] = {
      {"Plain", "  Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz"},
      {"Expandable", "Intel64 Family 6 Model 158 Stepping 10"},
      {"Unterminated", "Core™ Ultra — процессор"},
      {"Empty", ""},
      {"Missing", ""},
      {"EmptyBytes", ""},
      {"Number", nullptr},
      {"Bytes", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    if (c.expected) {
      EXPECT_EQ(readRegistryText(HKEY_CURRENT_USER, subkey, c.value), c.expected);
    } else {
      try {
        readRegistryText(HKEY_CURRENT_USER, subkey, c.value);
        ADD_FAILURE() << "no error";
      } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), std::string("Invalid data type for '") + c.value + "'");
      }
    }
  }
  EXPECT_EQ(readRegistryText(HKEY_CURRENT_USER, subkey + L"\\Absent", "Plain"), "???");
}

TEST_F(ScratchKey, SettingsAreStringValuesOfTheirKey) {
  RegistrySettingsStore store(subkey);
  EXPECT_EQ(store.read("Languages"), std::nullopt);  // no key yet
  store.write("Languages", "1");
  store.write("Site_Url", "https://wexmora.example/index.html");
  store.write("License", "FreeWare");
  store.write("Languages", "0");  // replaced, not added
  EXPECT_EQ(store.read("Languages"), "0");
  EXPECT_EQ(store.read("Site_Url"), "https://wexmora.example/index.html");
  EXPECT_EQ(store.read("License"), "FreeWare");
  for (const wchar_t* name : {L"Languages", L"Site_Url", L"License"}) EXPECT_EQ(storedType(name), DWORD{REG_SZ});

  const DWORD number = 1;
  put(L"Number", REG_DWORD, &number, sizeof number);
  putText(L"Unterminated", REG_SZ, L"Русский", false);
  putText(L"Expandable", REG_EXPAND_SZ, L"%TEMP%");
  struct Case {
    const char* value;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"Number", std::nullopt},  // another type reads as missing
      {"Missing", std::nullopt},
      {"Unterminated", "Русский"},
      {"Expandable", "%TEMP%"},  // taken as stored
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(store.read(c.value), c.expected);
  }
}

TEST(NamedMutex, SecondOwnerIsTurnedAwayUntilTheFirstEnds) {
  const std::wstring name = L"RegWexmora_test_" + std::to_wstring(GetCurrentProcessId());
  bool first = false, whileHeld = true, afterAbandon = false;
  // Each instance is a thread here: a mutex is owned by a thread.
  std::thread owner([&] { first = NamedMutexLock(name).acquire(); });
  owner.join();  // ends without releasing: the mutex is abandoned
  std::thread second([&] { afterAbandon = NamedMutexLock(name).acquire(); });
  second.join();
  EXPECT_TRUE(first);
  EXPECT_TRUE(afterAbandon);

  std::thread holder([&] {
    NamedMutexLock(name + L"_held").acquire();
    Sleep(300);
  });
  Sleep(100);
  std::thread late([&] { whileHeld = NamedMutexLock(name + L"_held").acquire(); });
  late.join();
  holder.join();
  EXPECT_FALSE(whileHeld);
}

TEST(CommandLine, Utf16ArgumentsBecomeUtf8) {
  struct Case {
    const wchar_t* line;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {L"wexmora-info.exe --list", {"wexmora-info.exe", "--list"}},
      {L"\"C:\\Program Files\\w.exe\" --brand \"Процессор Core™ i5\"",
       {"C:\\Program Files\\w.exe", "--brand", "Процессор Core™ i5"}},
      {L"w.exe --stored-language \"\"", {"w.exe", "--stored-language", ""}},
      {L"w.exe \"say \\\"hi\\\"\" \U0001F600", {"w.exe", "say \"hi\"", "\U0001F600"}},
  };
  for (const Case& c : cases) EXPECT_EQ(argumentsFromCommandLine(c.line), c.expected);
  EXPECT_TRUE(argumentsFromCommandLine(L"").empty());
}

TEST(WideText, RoundTrips) {
  for (const std::string text : {"", "ASCII", "Настольного", "100°C", "Core™ — «тест»", "\U0001F600"})
    EXPECT_EQ(narrow(widen(text)), text);
  EXPECT_EQ(widen("Ядро"), L"Ядро");
}

TEST(JpegFile, ReplacesAnExistingFileWithANonAsciiName) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("wexmora-test-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::create_directories(folder);
  const auto target = folder / L"Снимок экрана.jpg";
  std::ofstream(target, std::ios::binary) << "old";
  RgbImage image{4, 2, std::vector<std::uint8_t>(4 * 2 * 3, 200)};
  writeJpegFile(image, base::pathToUtf8(target));
  std::ifstream in(target, std::ios::binary);
  char magic[3] = {};
  in.read(magic, 3);
  EXPECT_EQ(std::string(magic, 3), "\xFF\xD8\xFF");
  in.close();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);

  std::filesystem::create_directory(folder / "taken.jpg");  // a folder in the way: the save fails
  EXPECT_THROW(writeJpegFile(image, base::pathToUtf8(folder / "taken.jpg")), std::runtime_error);
  EXPECT_TRUE(std::filesystem::is_directory(folder / "taken.jpg"));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace wexmora::platform
