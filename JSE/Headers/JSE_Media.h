// The printer's paper catalog: the papers it offers, the size definitions that
// give every paper its size, and the attribute lists (weights, types, colours)
// offered when a paper is edited. Papers are named by their names across the
// engine; names match exactly and case-sensitively.
//
// The catalog lives in three files beside each other: the catalog file, its
// size definitions (".def") and its attributes (catalog path + ".atr").
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <functional>
#include <memory>

#include "JSE_FileLock.h"
#include "JSE_String.h"

// The catalog's engine error codes, kept in its last error.
enum JSE_MediaError : int {
    kMediaNoError = 0,
    kMediaBadIndex = -1007,        // index out of range, paper missing or already there
    kMediaDefinitionLoad = -2000,  // the size-definition file was not loaded
    kMediaReadError = -2001,       // a file could not be read to its end, or a field is missing
    kMediaNoEntry = -2002,         // a file gave no usable entry
    kMediaNoPath = -2003,          // the catalog path is empty
    kMediaCannotOpen = -2004,      // the catalog file cannot be opened
    kMediaWriteError = -2005,      // a file could not be written
    kMediaMissingField = -2008,    // a catalog line lacks a required field
    kMediaBadCharacter = -2009,    // a name holds a character outside its class
    kMediaNoSuchSize = -2010,      // no size definition of that size, or no such paper
    kMediaLockRefused = -2011,     // the catalog files could not be locked
    kMediaAttributeLoad = -2012,   // the attribute file was not loaded
    kMediaLeftIncomplete = -2013,  // a file rewritten in place stopped part-way and is damaged
    kMediaSizeNameError = -3000,   // a size-definition name needed repair (kept apart)
    kMediaCannotCreate = -43,      // a catalog file could not be created for writing
};

// One catalog paper.
struct PAPERDEF {
    WString name;           // at most 32 characters of class 3
    int sizeIndex = 0;      // position of its size definition; -1 for none
    float width = 0;        // in the definition's unit; 8.5 without definition
    float height = 0;       // in the definition's unit; 11 without definition
    int weight = 0;         // g/m²; 0 stands for any weight
    WString color;          // at most 20 characters of class 3, or "*"
    int colorIndex = 0;     // position in the colour list; -1 when absent
    WString type;           // at most 20 characters of class 3, or "*"
    int typeIndex = 0;      // position in the type list; -1 when absent
    int mode = 0;           // sides mode 0, 1 or 2
    int precollated = 0;    // 1 yes, 0 no
    int punchable = 0;      // 1 yes, 0 no
    int absoluteIndex = 0;  // load position in a UTF-16 catalog, else 0
};

// One size definition.
struct PAPERCLASS {
    float width = 0;       // in the definition's unit
    float height = 0;
    float widthPts = 0;    // in PostScript points (1/72 inch)
    float heightPts = 0;
    int id = 0;            // position of the definition in the list
    int measureType = 0;   // 1 millimetres, 0 inches
    WString name;
    WString widthText;     // the sizes as shown to the user
    WString heightText;
};

// Which fields the flagged form of JSE_Media_ModifyPaper takes from its new values.
struct PAPERFLAGS {
    bool name = false;
    bool width = false;
    bool height = false;
    bool weight = false;
    bool color = false;
    bool type = false;
    bool mode = false;
};

// A paper chosen by name (and the index it had when chosen).
struct JSE_MediaSelection {
    WString mediaName;
    int index = 0;

    JSE_MediaSelection() = default;
    explicit JSE_MediaSelection(const WString& name) : mediaName(name) {}
    JSE_MediaSelection(const WString& name, int i) : mediaName(name), index(i) {}
    JSE_MediaSelection(const JSE_MediaSelection&) = default;
    JSE_MediaSelection& operator=(const JSE_MediaSelection&) = default;
};

class JSE_Media {
public:
    // All texts and lists empty.
    JSE_Media();
    // A ready catalog without files: the paper "Letter" and its definition.
    explicit JSE_Media(int osPlatform);
    // Sets the catalog up from its files (see Initialize).
    JSE_Media(const WString& language, const WString& catalogPath, const WString& colorList,
              const WString& typeList, wchar_t separator, bool safe);
    virtual ~JSE_Media();

    JSE_Media(const JSE_Media&) = delete;
    JSE_Media& operator=(const JSE_Media&) = delete;

    // ---- Loading, paths and parsing (overridable) ----
    virtual bool JSE_Media_LoadCatalog(const WString& path, bool withDefinitionsAndAttributes);
    virtual void JSE_Media_GetFullPath(WString& out) const;
    virtual void JSE_Media_SetFullPath(const WString& path);
    virtual bool JSE_Media_LoadCatalogOnly(const WString& path);
    virtual bool JSE_Media_LoadAttributesOnly(const WString& catalogPath);
    virtual bool JSE_Media_LoadDefinitionOnly(const WString& catalogPath);
    virtual bool JSE_Media_LoadNamedDefinition(const WString& definitionPath);
    virtual bool GetPaperDefinition(int definition, PAPERCLASS& out) const;
    virtual bool LoadAttributes(const WString& catalogPath);
    virtual bool LoadDefinitions(const WString& definitionPath);
    // The text from line up to the first separator or its end (line ends at a 0).
    virtual void ParseLine(const wchar_t* line, WString& field, wchar_t separator) const;

    // Sets every member from the arguments, loads the three files and makes
    // sure the catalog holds at least one paper. Run by the main constructor.
    void Initialize(const WString& language, const WString& catalogPath, const WString& colorList,
                    const WString& typeList, wchar_t separator, bool safe);

    // ---- Papers ----
    int JSE_Media_GetNumberOfEntry() const;
    int JSE_Media_GetIndex(const WString& name) const;
    void JSE_Media_GetName(int i, WString& out) const;
    void JSE_Media_GetColor(int i, WString& out) const;
    void JSE_Media_GetType(int i, WString& out) const;
    int GetPaperColor(int i) const;
    int GetPaperType(int i) const;
    int GetPaperSize(int i) const;
    int JSE_Media_GetDefinitionIndex(int i) const;
    int GetPaperWeight(int i) const;
    int JSE_Media_GetWeight(int i, int& out) const;
    int JSE_Media_GetMode(int i) const;
    int GetPaperSides(int i) const;
    int JSE_Media_GetPrecollated(int i) const;
    int JSE_Media_GetPunchable(int i) const;
    void JSE_Media_GetPhysicalSize(int i, float& width, float& height) const;
    void JSE_Media_GetPoints(int i, int& width, int& height) const;
    void JSE_Media_GetDisplaySize(int i, WString& widthText, WString& heightText, int& metric) const;
    bool GetPaperInfo(int i, PAPERDEF& out) const;

    // ---- Default paper ----
    int GetDefaultPaper() const;
    long JSE_Media_GetDefaultIndex() const;
    void JSE_Media_GetDefault(WString& out) const;
    void GetDefaultPaperName(WString& out) const;
    void GetCatalogDefaultPaperName(WString& out) const;
    bool JSE_Media_SetDefaultPaper(const WString& name);
    bool JSE_Media_SetDefaultPaper(int index);

    // ---- Size definitions ----
    int GetNumberOfDefinitions() const;
    int GetPaperMeasureType(int d) const;
    int GetPaperNativeSize(int d, float& width, float& height) const;
    bool GetPaperSizeByType(int d, float& width, float& height) const;
    int GetPaperDisplaySize(int d, WString& widthText, WString& heightText) const;
    int JSE_Media_GetPaperDisplaySizeFromDefFile(int d, WString& widthText, WString& heightText) const;
    int JSE_Media_GetPaperDisplaySizeFromDefFile(long d, WString& widthText, WString& heightText, int& metric,
                                                 WString& name) const;
    int ClassifySize(float width, float height) const;
    bool JSE_Media_DoesPaperSizeExist(float width, float height) const;
    void GetWidthHeight(const WString& text, float& width, float& height) const;

    // ---- Colour and type lists, attribute lists ----
    int ClassifyColor(const WString& name) const;
    int ClassifyType(const WString& name) const;
    int JSE_Media_GetNumOfWeightAttributes() const;
    int JSE_Media_GetNumOfTypeAttributes() const;
    int JSE_Media_GetNumOfColorAttributes() const;
    int JSE_Media_GetWeightAttribute(int i, WString& out) const;
    int JSE_Media_GetTypeAttribute(int i, WString& out) const;
    int JSE_Media_GetColorAttribute(int i, WString& out) const;
    // The attribute list of a kind: 1 weights, 2 types, any other value colours.
    std::vector<WString>& JSE_Media_GetAttributes(int kind);

    // ---- Settings and paths ----
    void GetLanguage(WString& out) const;
    void JSE_Media_GetLanguage(WString& out) const;
    void JSE_Media_SetLanguage(const WString& language);
    void JSE_Media_SetOSPlatform(int platform);
    void GetCatalogPathName(WString& out) const;
    int JSE_Media_GetLastError() const;
    void SetOSDecimalFormat(char decimalChar);
    void JSE_Media_SetSizeLookupTable(bool on);

    // ---- Units and number text ----
    float InchesToPts(float inches) const;
    float MMToPts(float millimetres) const;
    int JSE_Media_InchesToPSPoints(float inches) const;
    int JSE_Media_MMToPSPoints(float millimetres) const;
    // Snaps a size in points to the printer's standard sizes.
    float PaperSizeLookup(float points) const;
    bool FloatToWS(float value, WString& out, int decimals) const;
    bool FloatToString(float value, std::string& out, int decimals) const;

    // ---- Text helpers of the catalog files ----
    // Appends the pieces of text between separators to list.
    void SplitString(const WString& text, wchar_t separator, std::vector<WString>& list);
    // The decimal number at the start of text ("." or "," as decimal character);
    // count, when given, receives the characters consumed.
    float GetFloat(const wchar_t* text, int* count = nullptr) const;
    // The unsigned integer at the start of text; saturates at INT_MAX.
    int GetInteger(const wchar_t* text, int* count = nullptr) const;

    // ---- Editing papers ----
    bool JSE_Media_AddPaper(const WString& name, int sizeIndex, const WString& color, int weight, const WString& type,
                            int mode, int precollated, int punchable);
    bool JSE_Media_AddPaper(const WString& name, float width, float height, const WString& color, int weight,
                            const WString& type, int mode, int precollated, int punchable);
    bool JSE_Media_ModifyPaper(const WString& name, int sizeIndex, const WString& color, int weight,
                               const WString& type, int mode, int precollated, int punchable);
    bool JSE_Media_ModifyPaper(const WString& name, float width, float height, const WString& color, int weight,
                               const WString& type, int mode, int precollated, int punchable);
    // Changes the flagged fields of the named paper; precollated and
    // punchable are always taken from newValues.
    bool JSE_Media_ModifyPaper(const WString& name, const PAPERDEF& newValues, const PAPERFLAGS& flags);
    bool JSE_Media_DeletePaper(int index);
    void JSE_Media_DeleteAllPapers();
    // Moves a paper one place: direction 1 towards the front, any other towards the end.
    bool JSE_Media_MovePaper(int index, int direction);
    bool JSE_Media_MovePaper(const WString& name, int direction);
    void JSE_Media_SetPunchable(const WString& name, int value);
    void JSE_Media_SetPunchable(long index, int value);
    void JSE_Media_SetPreCollated(const WString& name, int value);
    void JSE_Media_SetPreCollated(long index, int value);

    // ---- Editing size definitions and attributes ----
    bool JSE_Media_AddPaperDefinition(float width, float height, int measureType, const WString& name);
    bool JSE_Media_AddPaperDefinitionEx(double width, double height, double widthPts, double heightPts,
                                        int measureType, const WString& name);
    bool JSE_Media_GetPaperDefinition(int index, float& width, float& height, WString& widthText,
                                      WString& heightText, int& measureType, WString& name);
    bool JSE_Media_GetPaperDefinitionEx(int index, double& width, double& height, double& widthPts,
                                        double& heightPts, int& measureType, WString& name);
    // Removes a definition; every paper finds its definition again by its size.
    bool JSE_Media_DeletePaperDefinition(int index);
    bool JSE_Media_DeletePaperIndexReferences(int index);
    // Attribute kind: 1 weights, 2 types, 3 colours.
    bool JSE_Media_AddAttribute(int kind, const WString& value);
    bool JSE_Media_DeleteAttribute(int kind, const WString& value);

    // ---- Papers set aside by mode, load positions, nearest paper ----
    void DropModePapers(int mode);
    void RestoreModePapers(int mode);
    int GetDroppedPaperIndex(const WString& name) const;
    bool GetDroppedPaperInfo(int index, PAPERDEF& out) const;
    int GetAbsolutePaperIndex(const WString& name) const;
    bool GetAbsolutePaperName(int absoluteIndex, WString& name) const;
    bool GetAbsolutePaperInfo(int absoluteIndex, PAPERDEF& out) const;
    // The index of the paper nearest in size (weight breaks ties); 0 when none.
    int GetNearestPaper(const PAPERDEF& paper) const;
    // The language in the first line of a catalog file; the catalog is not touched.
    bool GetCatalogLanguage(const WString& path, WString& language, int& error) const;
    // Replaces "/", ":", quotes and apostrophes in size-definition names; -3000
    // in the size-name error when a name needed it.
    void preFlightSizeName();

    // ---- Taking a load back ----
    // What a load replaces, and the path it was loaded from.
    struct Contents {
        std::vector<PAPERDEF> papers;
        std::vector<PAPERCLASS> definitions;
        std::vector<WString> weightAttributes;
        std::vector<WString> typeAttributes;
        std::vector<WString> colorAttributes;
        WString language;
        WString catalogDefaultPaper;
        int defaultPaper = 0;
        WString fullPath;
    };
    // The catalog as it is, so that a load its caller then refuses can be
    // undone without reading any file again.
    Contents JSE_Media_KeepContents() const;
    void JSE_Media_BringBack(Contents contents);

    // ---- Load and save under file locks ----
    // Locks the three files for reading, then loads the size definitions,
    // the catalog and the attributes; -2011 when a file cannot be locked.
    bool JSE_Media_LoadCatalogSafe(const WString& catalogPath);
    // Locks the three files for writing, then writes the catalog, the size
    // definitions and the attributes.
    bool JSE_Media_SaveCatalogSafe(const WString& catalogPath);

    // ---- Paths and plain saves (each writes exactly the path it is given) ----
    void CreatePDFileName(const WString& catalogPath, WString& definitionPath) const;
    void GetFullDefinitionPath(WString& out) const;
    bool JSE_Media_SaveCatalog(const WString& path);
    bool JSE_Media_SavePaperDefinitions(const WString& path);
    bool JSE_Media_SaveAttributes(const WString& path);

    // ---- The catalog's files ----
    // False when the file starts with a UTF-16 byte-order mark; true otherwise,
    // also when it cannot be opened (then with -2004).
    bool FileIsNotUnicodeBased(const WString& path);
    bool LoadCatalogFromUnicodeFile(const WString& path);
    bool LoadDefinitionsFromUnicodeFile(const WString& path);
    bool LoadNonUnicodeDefinitions(const WString& path);
    bool LoadAttributesFromUnicodeFile(const WString& catalogPath);
    // Decodes the escapes of a name, colour or type field in place.
    void ConvertEscapeChars(WString& text) const;
    // Writers: each writes exactly the path it is given (the file a link
    // there names), as UTF-16; a failure leaves -43, -2005 or -2013.
    bool JSE_Media_SaveMacCatalog(const WString& path);
    bool JSE_Media_SaveMacPaperDefinition(const WString& path);
    bool JSE_Media_SaveMacPaperAttributes(const WString& path);
    // An 8-bit size-definition file with CR LF line ends.
    bool SaveNonUnicodeDefinition(const WString& path);
    // One line of each file, line feed included.
    void composePaperEntry(PAPERDEF paper, WString& line) const;
    void composeDefinitionEntry(PAPERCLASS definition, WString& line, wchar_t separator) const;
    void composeAttributesEntry(std::vector<WString> list, WString& text) const;

protected:
    // The lock of one file taken by the safe orders.
    virtual std::unique_ptr<JSE_FileLock> CreateFileLock() const;

    // The text of each file as its writer writes it.
    WString CatalogFileText() const;
    WString DefinitionFileText() const;
    WString AttributeFileText() const;
    // The paper the catalog falls back on: "Letter", 8.5 x 11 inches.
    static PAPERDEF DefaultPaper();
    // Truncates toward zero; saturates outside the int range, NaN gives 0.
    static int TruncateToInt(float value);
    // Keeps the error as the last error and reports failure.
    bool Fail(int error);
    bool IsPaperIndex(long i) const;
    bool IsDefinitionIndex(long d) const;
    const PAPERDEF* PaperAt(long i) const;
    const PAPERCLASS* DefinitionAt(long d) const;
    const WString* AttributeAt(const std::vector<WString>& list, int i) const;

    // Which catalog reader reads a paper line; they differ in a few rules.
    enum class CatalogReader { Full, CatalogOnly, Unicode };
    bool ReadByteCatalog(const WString& path, CatalogReader reader);
    void ReadCatalogHeader(const WString& line, CatalogReader reader);
    // Appends the papers of the lines after the header; false when the last
    // line was cut short.
    bool ReadPaperLines(const std::vector<WString>& lines, bool unendedLast, CatalogReader reader);
    // Fills paper from a paper line; false when the line is dropped.
    bool ReadPaperLine(const WString& line, CatalogReader reader, PAPERDEF& paper);
    bool ReadPaperName(WString text, CatalogReader reader, WString& out, std::size_t maxLength);
    void AppendPaper(const PAPERDEF& paper);
    // Reads definition lines; a line with a missing field sets missingFieldError.
    void ReadDefinitionLines(const std::vector<WString>& lines, int missingFieldError);
    bool ReadByteDefinitions(const WString& path, std::size_t maxLine, int missingFieldError);
    void ReadAttributeLines(const std::vector<WString>& lines);

    bool AddModifyPaper(bool add, const WString& name, int sizeIndex, const WString& color, int weight,
                        const WString& type, int mode, int precollated, int punchable);
    // An empty name becomes the size and unit, "(8.50 x 11.00)IN" or "8.50 x 11.00 IN".
    bool AddDefinition(PAPERCLASS definition, const WString& name, bool parenthesized);
    // Keeps the default-paper index on its paper when papers leave or move.
    void FollowDefaultAfterRemoval(int removed);
    void FollowDefaultAfterInsertion(int inserted);
    std::vector<WString>* AttributeList(int kind);
    const PAPERDEF* FindAbsolute(int absoluteIndex) const;

    // Runs load; once the catalog is set up, a failed load leaves the
    // catalog as it was (the error stays).
    bool Reload(const std::function<bool()>& load);
    bool LoadCatalogFile(const WString& path, bool withDefinitionsAndAttributes);
    // False, with -2002 unless the load left a reason, when no paper was read.
    bool YieldedPapers();
    bool LoadCatalogFileOnly(const WString& path);
    // Takes the locks of the safe orders; on a refusal releases the ones
    // taken, in reverse order, and leaves -2011.
    bool LockFiles(const std::vector<WString>& paths, int access, std::vector<std::unique_ptr<JSE_FileLock>>& locks);
    static void UnlockFiles(std::vector<std::unique_ptr<JSE_FileLock>>& locks);

    WString m_fullPath;
    WString m_definitionPath;
    WString m_language;
    WString m_colorList;
    WString m_typeList;
    WString m_catalogDefaultPaper;
    int m_defaultPaper = 0;
    int m_lastError = 0;
    int m_sizeNameError = 0;
    wchar_t m_separator = L':';
    std::vector<PAPERDEF> m_papers;
    std::vector<PAPERDEF> m_droppedPapers;
    int m_droppedDefault = -1;  // position in m_droppedPapers of the default paper set aside; -1 for none
    std::vector<PAPERCLASS> m_definitions;
    std::vector<WString> m_colors;
    std::vector<WString> m_types;
    std::vector<WString> m_weightAttributes;
    std::vector<WString> m_typeAttributes;
    std::vector<WString> m_colorAttributes;
    int m_osPlatform = 0;
    bool m_sizeLookup = false;
    char m_decimalChar = '.';
    bool m_ready = false;  // set up; loads from now on are reloads
};
