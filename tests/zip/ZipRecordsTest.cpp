#include "zip/ZipByteBuffer.h"
#include "zip/ZipEntryInfo.h"
#include "zip/ZipException.h"

#include <gtest/gtest.h>

namespace {

TEST(ZipByteBuffer, OwnsItsBytesAndCopiesThem) {
    CZipByteBuffer buffer;
    EXPECT_TRUE(buffer.IsEmpty());
    EXPECT_EQ(buffer.GetData(), nullptr);
    buffer.Assign("abc");
    CZipByteBuffer copy = buffer;
    copy.GetData()[0] = 'x';
    EXPECT_EQ(buffer.ToString(), "abc");
    EXPECT_EQ(copy.ToString(), "xbc");
    copy.Allocate(0);
    EXPECT_EQ(copy.GetData(), nullptr);
    EXPECT_EQ(copy.GetSize(), 0u);
    buffer = copy;
    EXPECT_TRUE(buffer.IsEmpty());
}

TEST(ZipEntryInfo, FreshRecordAndDerivedProperties) {
    CZipEntryInfo info;
    EXPECT_EQ(info.method, 8);
    EXPECT_EQ(info.externalAttributes, 0x20u);
    EXPECT_FALSE(info.IsDirectory());
    info.flags = 0x0009;
    info.externalAttributes = 0x10;
    info.fileName.Assign("dir/");
    info.comment.Assign("c");
    EXPECT_TRUE(info.IsEncrypted());
    EXPECT_TRUE(info.HasDataDescriptor());
    EXPECT_TRUE(info.IsDirectory());
    EXPECT_EQ(info.GetRecordSize(), 46u + 4 + 1);
    info.ConvertName();
    EXPECT_EQ(info.GetFileName(), "dir\\");
}

TEST(ZipException, InternalAndZlibCodesMapToCauses) {
    EXPECT_EQ(CZipException::CauseFromCode(-3), CZipException::zipErrData);
    EXPECT_EQ(CZipException::CauseFromCode(-5), CZipException::zipErrBuffer);
    EXPECT_EQ(CZipException::CauseFromCode(-6), CZipException::zipErrVersion);
    EXPECT_EQ(CZipException::CauseFromCode(CZipException::kBadArchive),
              CZipException::zipErrBadArchive);
    EXPECT_EQ(CZipException::CauseFromCode(CZipException::kEndRecordMissing),
              CZipException::zipErrEndRecordMissing);
    EXPECT_EQ(CZipException::CauseFromCode(CZipException::kUnsafeName),
              CZipException::zipErrUnsafeName);
    EXPECT_EQ(CZipException::CauseFromCode(12345), CZipException::zipErrGeneric);
    EXPECT_STREQ(CZipException::CauseName(CZipException::zipErrCrcMismatch), "zipErrCrcMismatch");
    EXPECT_STREQ(CZipException::CauseName(0), "unknown");
}

} // namespace
