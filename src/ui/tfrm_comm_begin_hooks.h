#pragma once

#include <functional>

#include "link/begin_hooks.h"

class TfrmCommActions;

// Begin's main-window steps: quick upload through the profile page (when one is plugged
// in) and the recording step through the record actions.
class TfrmCommBeginHooks : public BeginHooks
{
public:
    using RowCount = std::function<int()>;
    using Upload = std::function<bool()>;

    explicit TfrmCommBeginHooks(TfrmCommActions& actions) : m_actions(actions) {}

    // The profile page: number of rows, and the board-change question, log and upload.
    void setQuickUpload(RowCount rows, Upload upload)
    {
        m_rows = std::move(rows);
        m_upload = std::move(upload);
    }

    bool quickUploadWanted() override;
    bool quickUpload() override;
    void recordingStep(bool recordingOn) override;

private:
    TfrmCommActions& m_actions;
    RowCount m_rows;
    Upload m_upload;
};
