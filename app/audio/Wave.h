// The wave document: one piece of audio as the user opens, edits, plays and saves it. It
// is a document of the framework, an undoable object and an audio object at once. Its
// samples are never held in memory: each channel is a VirtualWave whose segments point
// into one or two audio files and into the temporary files that edits write. The lock of
// the audio object guards the channel lists, the saved lists, the files, the sample
// pattern and the markers; an operation on two waves locks the target first.
#pragma once

#include "audio/AudioObject.h"
#include "audio/MarkerHost.h"
#include "audio/MarkerSet.h"
#include "audio/VirtualFile.h"
#include "foundation/Undo.h"
#include "manager/DocumentModel.h"
#include "manager/Document.h"

#include <cstdint>

class AudioFile;
class CaretView;
class Config;
class WaveInIterator;
class DocMemento;
class WaveMemento;
class WaveUndoMemento;
struct SamplerSampleInfo;

// What a wave tells its views (Document::NotifyViews).
enum WaveNotification : int {
    kNotifyAll = 0,            // everything changed: length, markers and selection too
    kNotifyLeftRange = 1000,   // frames a..b changed in the left channel
    kNotifyRightRange = 1001,  // ... in the right channel
    kNotifyBothRange = 1002,   // ... in both (also: the selected range needs drawing)
    kNotifyHideCaret = 1003,
    kNotifyShowCaret = 1004,
    kNotifyPlayCursor = 1005,  // the play cursor stands at frame a
    kNotifyPlayCursorOff = 1006,
    kNotifyCaretMoved = 1007,  // to frame a
    kNotifyMarkers = 1008,
    kNotifyCaretBlink = 1009,  // a: 1 shown, 0 hidden
};

// One record of the wave window's state, kept with the document's layout.
struct WaveViewRecord {
    int32_t words[4];
};

struct WaveViewRecords {
    WaveViewRecord records[8];
};

class Wave : public Document, public AUndoable, public AudioObject, public MarkerHost {
public:
    // The document type of waves (WaveFactory.h).
    class Factory;
    static Factory _factory;

    // The ways waves are made; each returns the new wave.
    // Over an opened file (markers owned, may be null). With copy the wave is untitled and
    // holds the file's content as an edit.
    static Wave *CreateWaveFromFile(AudioFile *file, MarkerSet *markers, int owner, DocMemento const *memento,
                                    int copy);
    static Wave *CreateWaveFromSelection(Wave &source, FileName const &name, int whole, int first, int last, int range);
    // Untitled and empty; two files for a stereo pattern that is not interleaved.
    static Wave *CreateEmptyWave(SamplePattern const &pattern);
    static Wave *CreateEmptyWaveLike(Wave const &wave);
    // A hidden work wave ("$temp") over a new temporary file of frames frames, keeping no
    // saved state.
    static Wave *CreateTempWave(int frames, int channels, uint32_t rate, int bits);

    // Over a file (owner: the wave owns the file).
    Wave(AudioFile *file, int owner, DocMemento const *memento);
    // Over a new temporary file of frames frames of the format.
    Wave(FileName const &name, int frames, int channels, uint32_t rate, int bits);
    // Segments of a range of another wave (see CreateWaveFromSelection).
    Wave(FileName const &name, Wave &source, int whole, int first, int last, int range);
    // Untitled and empty.
    Wave(SamplePattern const &pattern, int twoFiles);
    ~Wave() override;

    static int64_t FramesToBytes(int64_t frames, Wave const &wave, int channels);
    // The file type a name asks for by its extension.
    static int FileTypeFromExtension(FileName const &name);
    // The "Wave" settings group.
    static void LoadPrefs(Config &config);
    static void SavePrefs(Config &config);
    // The active wave holds data.
    static int HasActiveWaveData();

    // Channel lists: channel 0 left or mono, channel 1 right (empty for a mono wave).
    VirtualWave &GetChannel(int index) const { return *channels_[index]; }
    // Null for a wave that keeps no saved state.
    VirtualWave *GetSavedChannel(int index) const { return savedChannels_[index]; }
    MarkerSet &GetMarkers() { return markers_; }
    MarkerSet const *GetSavedMarkers() const override { return &savedMarkers_; }
    AudioFile *GetFirstFile() const { return firstFile_; }
    AudioFile *GetSecondFile() const { return secondFile_; }
    int GetFileCount() const { return fileCount_; }
    int GetFileType() const { return fileType_; }
    int IsClipboard() const { return clipboard_; }
    void SetClipboard(int clipboard) { clipboard_ = clipboard; }
    int IsTransient() const { return transient_; }
    void SetTransient(int transient) { transient_ = transient; }
    WaveViewRecords const *GetViewRecords() const { return viewRecords_; }
    // The wave window's stored view positions, empty ones made on first use.
    WaveViewRecords &EnsureViewRecords() {
        if (!viewRecords_)
            viewRecords_ = new WaveViewRecords();
        return *viewRecords_;
    }
    int GetMementoWord() const { return mementoWord_; }

    // The channel lists (-1 both, or one channel) start again as the whole file, with no
    // undo history; with save that is the saved state.
    void ResetToFile(int save, int channel);
    void ApplyMemento(WaveMemento const &memento);
    // Keeps no saved state from now on (work waves), and is not remembered as opened.
    void ForgetSavedState();
    // Markers are read only from a wave remembered as opened from its file.
    int IsRememberedAsOpened() const { return Type.recordInHistory; }

    // Edits. A two-channel wave evens its channels' lengths; a mono one drops trailing
    // padding. 1 when a length changed; with rethrow an exception passes on, else 0.
    int UpdateLength(int rethrow);
    // The source's channels (cut to count frames when count is 1 or more) overwrite this
    // wave's channels (1 left, 2 right) from position; the source is left empty. A mono
    // source, or one channel asked, feeds from the source's channel 0.
    void ReplaceFrom(int position, int channels, Wave &source, int count);
    // The same, after removing position..last (nothing when last is position - 1), inserting.
    void InsertFrom(int position, int last, int channels, Wave &source, int count);
    int InsertAudioFile(int position, int last, int channels, AudioFile *file, MarkerSet *markers, int asNew, int undo,
                        String const &actionName) override;

    // The marker file beside the wave's file (WaveMarkerFile.cpp). Reading replaces the
    // markers, for a wave remembered as opened. Writing under the wave's own name makes the
    // markers the saved ones and clears the undo history; under another name it only
    // writes. 1.
    int ReadMarkerFile();
    int WriteMarkerFile(FileName const &name, int force, int onlyIfAny);
    int WriteMarkerFileNow() override;

    // Opening (WaveOpening.cpp): the mono file right becomes the right channel of this mono
    // wave, which is then a stereo wave of two files.
    void PairWith(AudioFile *right);
    // Open options (WaveOpenOptions.cpp): "key=value" pieces between "|".
    void ExecuteOpenOptions(String const &options, int redraw) override;

    // Caret and channels (WaveCaret.cpp). Placing the caret sets the caret-set flag (the
    // play-pending word), which a play clears.
    void SetCaretPosition(int position);
    // 0 when channels and caret are as asked already. Deferred: the views hide the caret
    // and are not told where it went.
    int SetCaret(int channels, int position, int deferred = 0);
    void NotifyHideCaret() { NotifyViews(kNotifyHideCaret); }
    void NotifyShowCaret() { NotifyViews(kNotifyShowCaret); }
    void NotifyRedrawAll() { NotifyViews(kNotifyAll); }
    // Stereo: both, left, right, both again.
    void CycleActiveChannels();
    // The position override when one is set, else the placed caret, else the play position
    // or caret.
    int GetCurrentPosition() const;
    // -1: none.
    static void SetPositionOverride(int position);
    void SetPlayStart(int position, int keep) override;
    // Key moves in a view: by screen steps, by the view's width, to the ends. The caret stays
    // in 0..length; the view then shows it. The extending moves select from the selection
    // edge away from the caret to the caret.
    void MoveCaretLeft(CaretView &view, int steps);
    void MoveCaretRight(CaretView &view, int steps);
    void MoveCaretPageLeft(CaretView &view);
    void MoveCaretPageRight(CaretView &view);
    // While the wave plays, the playback goes back to frame 0 instead.
    void MoveCaretToStart(CaretView &view);
    void MoveCaretToEnd(CaretView &view);
    void ExtendSelectionLeft(CaretView &view, int steps);
    void ExtendSelectionRight(CaretView &view, int steps);
    void SelectToStart(CaretView &view);
    void SelectToEnd(CaretView &view);
    // The length (with selection and a selection: the selection's, in brackets) in seconds
    // or samples.
    String GetLengthText(int selection);

    // Zero crossings (WaveZeroCrossings.cpp). Slope 0 falling, 1 rising, 2 any; channels
    // 1 left, 2 right. The frame found between from and to, else from.
    int FindZeroCrossing(int slope, int channels, int from, int to);
    // The selection's start and/or end move to the nearest crossings outwards.
    void SnapSelectionToZeroCrossings(int start, int end);

    // Undo (WaveUndo.cpp): the state of a step, put back without telling the views. The
    // lists the wave had go to old when given (a step with empty lists), else they go.
    void RestoreState(WaveUndoMemento const &memento, WaveUndoMemento *old = nullptr);

    // ---- edits the user makes; each is one undoable step (undo 0 records none) that a
    // failure leaves undone. Ranges are inclusive frames, channels a mask (1 left, 2 right).

    // Paste flags.
    enum PasteFlags { kPasteReplace = 1, kPasteOverwrite = 2, kPasteAtEnd = 4, kPasteAtStart = 8 };

    // The clipboard (WaveClipboard.cpp): a hidden wave holding the segments of the last copy.
    static Wave *GetClipboardWave();
    static void DeleteClipboardWave();
    // The selection of the active channels becomes the clipboard's content.
    void Copy();
    void Cut(int undo);
    // Puts source's frames sourceStart..sourceEnd of sourceChannels into this wave's channels.
    // notify: tell the views (with select: the pasted frames become the selection);
    // checkBusy: a busy wave refuses with a box.
    void Paste(int position, int channels, int flags, Wave &source, int sourceStart, int sourceEnd,
               int sourceChannels, int notify, int select, int undo, int checkBusy);
    // The clipboard count times in a row, undone as one step.
    void PasteClipboard(int flags, int count);

    // Edits of the lists alone (WaveRangeEdits.cpp).
    using Document::Delete;
    void Delete(int channels, int start, int end, int undo);
    // Silence over the tail of every channel is a Delete.
    void Silence(int channels, int start, int end, int undo);
    void InsertSilence(int channels, int start, int end, int undo);
    // Silent frames at the end of the channels, without undo, notice or flush.
    void InsertSilenceNoUndo(int channels, int count);
    // start..end cut out of sourceChannels and put at destination (counted after the cut)
    // into targetChannels; a target channel that gave nothing takes the other's frames.
    void MoveRange(int targetChannels, int destination, int sourceChannels, int start, int end, int undo);
    // start..end over destination; silence stays where they were.
    void MoveRangeOverwrite(int channels, int destination, int start, int end, int undo);
    void SwapChannels(int start, int end, int undo);

    // Operations that compute samples (WaveSampleOps.cpp, WaveScaledWriting.cpp). They work
    // on the 16-bit scale for waves of up to 16 bits and on the 24-bit scale above.
    void Reverse(int channels, int start, int end, int undo);
    void InvertPhase(int channels, int start, int end, int undo);
    // The means of the masked channels over at most 48000 frames from start, on the 16-bit
    // scale (0 for a channel not masked).
    void MeasureDcOffset(int channels, int start, int end, int &left, int &right);
    void RemoveDcOffset(int channels, int start, int end, int undo);
    // Adds source's sourceStart..sourceEnd, each side scaled by its divisor (16384: as it
    // is; 0: silent; below 0: unscaled), into channels from position.
    void MixPaste(int channels, int position, int ownDivisor, Wave &source, int sourceChannels, int sourceStart,
                  int sourceEnd, int sourceDivisor, int select, int undo);
    // The frame of the largest magnitude of the masked channels in start..end; channels
    // becomes 1 or 2 for the channel that holds it.
    int FindPeak(int &channels, int start, int end, int &peak16, int32_t &peak24);
    // count frames from the two source iterators (channel flags 1, 2) into target, scaled to
    // targetLevel (normalize) or kept inside full scale; progress from progressBase of 1000.
    void WriteScaled(Wave &target, int count, int channelFlags, int targetLevel, int32_t peak, int normalize,
                     WaveInIterator &first, WaveInIterator &second, long progressBase);

    // Saving (WaveWriting.cpp): the wave (channel -1) or one channel to a file; mode 2 writes
    // a copy the wave does not adopt. 1 when written, 0 when the target is write-protected;
    // other failures throw, the target and the wave as they were.
    int WriteAudioFile(FileName const &name, int channel, int mode);
    // The type a saved file takes by its extension (WAV for one not known).
    static int SaveTypeFromExtension(FileName const &name);
    // The save mode that converts to another sample format (data: the SamplePattern).
    enum { kSaveOtherFormat = 100 };
    int Save(FileName const &name, SaveMode mode, int part, void *data) override;
    int ValidateFileNameForSaving(FileName &name, SaveMode mode, String const *filter, int part) override;
    // Save-as of the left (kind 1) or right (kind 2) part of a two-file wave: the kind gives
    // the dialog's caption and the part saved.
    int SaveDocAsKind1() { return SaveDocAs(1, smSaveAs, nullptr); }
    int SaveDocAsKind2() { return SaveDocAs(2, smSaveAs, nullptr); }

    // Tells the playback to read the new data (window message 3035).
    void PostFlushPlayback();
    void PostReleaseRequest(int suppress) override;
    int IsReleasePending() const override { return releasePending_; }
    SamplerSampleInfo &EnsureSampleInfo();
    // Null until the sampler's record is made.
    SamplerSampleInfo const *GetSampleInfo() const { return sampleInfo_; }

    // The audio object.
    int GetLength() const override;
    int ReadFloatFrames(Task *task, float *const *outputs, int outputOffset, int first, int count) override;
    Task *CreateReadTask(ChannelSet const &request) override;
    int GetChannelWithData(int channel) const override;
    void SelectRegionAt(int channels, int position, int extend) override;
    void SetActiveChannels(int channels, int notify) override;
    void RedrawRange(int first, int last) override;
    void NotifyViews(int code, long a = 0, long b = 0) override;
    int HasViews() const override { return GetNumViews() > 0; }

    // The document.
    String GetTitle() const override;
    int IsChanged() override;
    int IsAttachedTo(FileName const &name) override;
    // Only the markers changed: only the marker file is written.
    int SaveDoc(int ask) override;
    int CanClose() override;
    int CanCloseLastChance() override;
    int OnLastClosedView() override;
    String GetDefExtension() override;
    int GetFileFilterIndexForSaving() override;
    String GetCaptionSaveAs(int kind) override;
    int UpdateFileName(FileName name, int part) override;
    int IsNewFileName(FileName const &name) override;
    Document *FindParentDocument() override;
    String GetFileTitleA(SaveMode mode, int part) override;
    String GetInfo(int index) override;
    int CanBeMemorizedInLayout() override;
    void SetDelayedMemento(DocMemento *memento) override;
    String GetSaveQueryMessage() const override;
    PackedMemento *CreatePackedMemento() override;

protected:
    AUndoMemento *ApplyUndoMemento(AUndoMemento *step, int redo) override;

private:
    friend class WaveUndoMemento;

    Wave(Wave const &) = delete;
    Wave &operator=(Wave const &) = delete;

    // Shared by the constructors: defaults or the memento, the lists, the undo limit.
    void InitCommon(DocMemento const *memento);
    // What the destructor and a failing constructor let go.
    void ReleaseResources();
    // A segment over the whole file for one channel.
    void ResetChannel(int channel, AudioFile *file, int fileChannel);
    void FillFromSource(Wave &source, int whole, int first, int last, int range);
    // Cuts every channel of the wave to count frames.
    void CutTo(int count);
    // The source channel that feeds channel 1.
    int RightFeed(int channels) const;
    // Playback after an undo across a change of rate: the old position, at the new rate.
    void RestartPlayback(uint32_t oldRate);
    // The clipboard wave goes: no copy holds it any more.
    static void ClipboardGone();
    // After an edit that moved markers: validated, noted as changed, CD programs told.
    void MarkersFollowEdit();
    // Removes start..end of the channels, with the markers, selection and caret following.
    void RemoveRange(int channels, int start, int end);
    // The files a save replaces, and adopting the written one (WaveWriting.cpp).
    friend class WaveFileExchange;
    // The title of a file of a two-file wave.
    String FileTitle(AudioFile const *file) const;
    // Message id formatted with the title.
    String TitledText(unsigned id) const;
    bool ListsEqualSaved() const;
    // Caret moves (WaveCaret.cpp): the caret to position, and the selection from the edge
    // away from the caret to position.
    void MoveCaretTo(CaretView &view, int position);
    void ExtendSelectionTo(CaretView &view, int position);

    int32_t fileType_ = 0;
    SamplerSampleInfo *sampleInfo_ = nullptr;
    int32_t transient_ = 0;
    MarkerSet markers_;
    MarkerSet savedMarkers_;
    int32_t fileCount_ = 0;
    AudioFile *firstFile_ = nullptr;
    AudioFile *secondFile_ = nullptr;
    WaveViewRecords *viewRecords_ = nullptr;
    int32_t clipboard_ = 0;
    ElementList channels_;
    ElementList savedChannels_;
    // Set by PostReleaseRequest: the document is to go.
    int32_t releasePending_ = 0;
    // Kept by the layout beside the caret.
    int32_t mementoWord_ = 0;
};

// The program's active wave (of the active wave window) and current wave (the one last
// active): the shell sets them, a wave that goes clears them.
Wave *GetActiveWave();
void SetActiveWave(Wave *wave);
Wave *GetCurrentWave();
void SetCurrentWave(Wave *wave);
