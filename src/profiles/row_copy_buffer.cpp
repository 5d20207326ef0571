#include "profiles/row_copy_buffer.h"

#include "profiles/profile_table.h"

RowCopyBuffer::RowCopyBuffer()
    : m_record(emptyProfileRecord())
{
}

void RowCopyBuffer::Copy(const ProfileTable& table)
{
    const int r = table.CurrentRow();
    if (r == 0)
        return;
    m_record = recordFromRow(table.row(r));
}

int RowCopyBuffer::Paste(ProfileTable& table) const
{
    const int r = table.appendRow();
    const ProfileRow row = rowFromRecord(m_record);
    for (int c = 1; c <= ProfileColumn::Count; ++c)
        table.SetCell(c, r, row[c - 1]);
    return r;
}
