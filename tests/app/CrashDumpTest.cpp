#include "frame/CrashDump.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace {

TEST(CrashDump, FilterWritesOneMinidumpNamedByTheLocalTime) {
    TestFolder folder;
    CONTEXT context{};
    RtlCaptureContext(&context);
    EXCEPTION_RECORD record{};
    record.ExceptionCode = 0xE0000001;
    record.ExceptionAddress = reinterpret_cast<void*>(context.Rip);
    EXCEPTION_POINTERS pointers{&record, &context};

    EXPECT_EQ(EXCEPTION_EXECUTE_HANDLER, CrashDumpFilter(&pointers));

    std::vector<std::filesystem::path> dumps;
    for (const auto& entry : std::filesystem::directory_iterator(folder.ProgramFolder() + L"\\MiniDump"))
        dumps.push_back(entry.path());
    ASSERT_EQ(1u, dumps.size());
    EXPECT_TRUE(std::regex_match(dumps[0].filename().string(), std::regex(R"(20\d{12}\.dmp)"))) << dumps[0].filename();
    std::ifstream dump(dumps[0], std::ios::binary);
    char signature[4] = {};
    dump.read(signature, 4);
    EXPECT_EQ(std::string("MDMP"), std::string(signature, 4));
    EXPECT_GT(std::filesystem::file_size(dumps[0]), 1000u);
}

}  // namespace
