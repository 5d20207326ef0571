#pragma once

#include "profiles/profile_record.h"

class ProfileTable;

// The row copied by Copy and appended by Paste, held in the file form (so texts are cut and
// numbers converted as saving does). The system clipboard is not involved.
class RowCopyBuffer
{
public:
    RowCopyBuffer();

    // Copies the CurrentRow; nothing when there is none.
    void Copy(const ProfileTable& table);
    // Appends a row filled from the buffer and returns its DataRow; the current row stays.
    int Paste(ProfileTable& table) const;

    const ProfileRecord& record() const { return m_record; }

private:
    ProfileRecord m_record;
};
