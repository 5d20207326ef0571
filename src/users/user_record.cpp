#include "users/user_record.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "shell/text_codec.h"
#include "users/users_io.h"

namespace {

constexpr int kEmployeeNoAt = 0;
constexpr int kPasswordAt = 17;
constexpr int kNameAt = 34;
constexpr int kDepartmentAt = 51;
constexpr int kRemarkAt = 84;

QString cut(const QString& text, int capacity)
{
    return TextCodec::fromAnsi(TextCodec::toAnsiCut(text, capacity));
}

} // namespace

UserRecord UserRecord::made(const QString& employeeNo, const QString& password, const QString& name,
                            const QString& department, const QString& remark)
{
    UserRecord r;
    r.employeeNo = cut(employeeNo, kEmployeeNoBytes);
    r.setPassword(password);
    r.setName(name);
    r.setDepartment(department);
    r.setRemark(remark);
    return r;
}

void UserRecord::setPassword(const QString& text)
{
    password = cut(text, kPasswordBytes);
}

void UserRecord::setName(const QString& text)
{
    name = cut(text, kNameBytes);
}

void UserRecord::setDepartment(const QString& text)
{
    department = cut(text, kDepartmentBytes);
}

void UserRecord::setRemark(const QString& text)
{
    remark = cut(text, kRemarkBytes);
}

UserRecord UserRecord::fromBytes(const uint8_t* bytes)
{
    UserRecord r;
    r.employeeNo = TextCodec::readShortString(bytes + kEmployeeNoAt, kEmployeeNoBytes);
    r.password = TextCodec::readShortString(bytes + kPasswordAt, kPasswordBytes);
    r.name = TextCodec::readShortString(bytes + kNameAt, kNameBytes);
    r.department = TextCodec::readShortString(bytes + kDepartmentAt, kDepartmentBytes);
    r.remark = TextCodec::readShortString(bytes + kRemarkAt, kRemarkBytes);
    return r;
}

void UserRecord::toBytes(uint8_t* bytes) const
{
    TextCodec::writeShortString(bytes + kEmployeeNoAt, kEmployeeNoBytes, employeeNo);
    TextCodec::writeShortString(bytes + kPasswordAt, kPasswordBytes, password);
    TextCodec::writeShortString(bytes + kNameAt, kNameBytes, name);
    TextCodec::writeShortString(bytes + kDepartmentAt, kDepartmentBytes, department);
    TextCodec::writeShortString(bytes + kRemarkAt, kRemarkBytes, remark);
}

bool UserRecord::operator==(const UserRecord& o) const
{
    return employeeNo == o.employeeNo && password == o.password && name == o.name
        && department == o.department && remark == o.remark;
}

TUserStruList& UserList()
{
    static TUserStruList list;
    return list;
}

QString userListFile(const QString& dir)
{
    return QDir(dir).filePath(QStringLiteral("UserList.dat"));
}

QByteArray serializeUserList(const TUserStruList& list)
{
    QByteArray bytes(list.size() * UserRecord::kSize, '\0');
    for (int i = 0; i < list.size(); ++i)
        list[i].toBytes(reinterpret_cast<uint8_t*>(bytes.data()) + i * UserRecord::kSize);
    return bytes;
}

TUserStruList parseUserList(const QByteArray& bytes)
{
    TUserStruList list;
    const int count = bytes.size() / UserRecord::kSize;
    list.reserve(count);
    for (int i = 0; i < count; ++i)
        list.append(UserRecord::fromBytes(reinterpret_cast<const uint8_t*>(bytes.constData()) + i * UserRecord::kSize));
    return list;
}

bool LoadUserList(TUserStruList& list, const QString& dir, UsersFileError* error)
{
    list.clear();
    QByteArray bytes;
    if (!UsersIo::readIfExists(userListFile(dir), bytes, error))
        return false;
    list = parseUserList(bytes);
    return true;
}

bool SaveUserList(const TUserStruList& list, const QString& dir, UsersFileError* error)
{
    return UsersIo::writeWhole(userListFile(dir), serializeUserList(list), error);
}

int FindEmployee(const TUserStruList& list, const QString& employeeNo)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].employeeNo.compare(employeeNo, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool PasswordMatches(const UserRecord& record, const QString& typed)
{
    return record.password == typed;
}
