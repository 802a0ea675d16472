// The page collection: a job's per-page and per-range exceptions while the
// user edits them. One ordered page list holds paper substitutions, inserts,
// finishing subsets, punching and copy counts; a layout list holds print
// mode, side, chapter and rotation ranges and is mirrored into the page list;
// an image list holds the image shifts.
//
// Every change costs what it touches: the page and layout lists are kept in
// position trees that find the records sharing pages with a range without
// walking the list, a layout change makes anew only the mirrors of the
// layout records it changes, and the page list is brought back into its sort
// order by moving only the records placed out of it.
//
// Operations report through their results: -1 for a record that is absent,
// 0 for a size, false, or an unchanged output. Internal reshaping operations
// that are handed a record index outside their list set the last error to
// kPageIndexOutside.
#pragma once

#include <utility>
#include <vector>

#include "JSE_PageSequence.h"
#include "JSE_Records.h"
#include "JSE_String.h"

// One text property of a page record (id 1: paper of a substitution or
// subset; id 233/234: paper of an insert).
struct PropertyType {
    int propertyType = 0;
    WString propertyValue;

    bool operator==(const PropertyType&) const = default;
};

// One feature of a page record: a PageExceptionCode and its value.
struct FeatureType {
    int featureType = 0;
    int featureValue = 0;

    bool operator==(const FeatureType&) const = default;
};

// One page record: a kind with its value, a page range and what applies to
// every page of that range.
struct PageItemType {
    int pageType = 0;
    int pageTypeValue = 0;
    long startPage = 0;
    long endPage = 0;
    std::vector<PropertyType> propertyList;
    std::vector<FeatureType> featureList;
    // Set by the collection on the record it keeps in the page list for a
    // layout range (its mirror), and on no other; copies of a record's
    // features and properties never take it.
    bool layoutMirror = false;
};

struct PageIndexItem {
    std::vector<long> indexList;
};

// One layout range: print mode, side, chapter start or rotation.
struct layoutPageItemType {
    int pageType = 0;
    int pageTypeValue = 0;
    long startPage = 0;
    long endPage = 0;
};

// One image shift as the page-exception pane sets it.
struct ImageType {
    int featureType = 0;
    bool mirror = false;
    int unit = 0;
    int orientation = 0;
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;

    // Equal when every member is; the shift values by their bit patterns.
    bool operator==(const ImageType& other) const;
};

// A stretch of pages that print on one paper: the paper's name, empty for
// the job's own paper.
struct PaperRun {
    long first = 0;
    long last = 0;
    WString paper;

    bool operator==(const PaperRun&) const = default;
};

// One image range.
struct PageImageItemType {
    int pageType = 0;
    int pageTypeValue = 0;
    long startPage = 0;
    long endPage = 0;
    std::vector<ImageType> imageFeatureList;
};

class JSE_PageCollection {
public:
    static constexpr int kPageIndexOutside = -1007;

    JSE_PageCollection();
    JSE_PageCollection(const JSE_PageCollection&) = delete;
    JSE_PageCollection& operator=(const JSE_PageCollection&) = delete;
    virtual ~JSE_PageCollection();

    virtual bool JSE_PageCollection_RemovePages(long start, long end);
    virtual void JSE_PageCollection_GetPageFeature(long i, long j, int& type, int& value) const;
    virtual long JSE_PageCollection_SetPageType(long start, long end, int type, int value);
    virtual void JSE_PageCollection_GetProperty(long i, long j, int& id, WString& text) const;
    virtual void JSE_PageCollection_SetProperty(long start, long end, int id, WString text, int pageType,
                                                int pageTypeValue, bool insertSorted);
    virtual void JSE_PageCollection_SetImageFeature(long start, long end, int featureType, int unit, bool mirror,
                                                    int orientation, float x1, float y1, float x2, float y2);

    int JSE_PageCollection_GetLastError() const { return lastError; }

    // --- Setting exceptions -------------------------------------------------
    void JSE_PageCollection_AddPageFeature(long i, int type, int value);
    int JSE_PageCollection_UpdatePageFeature(long i, int type, int value);
    // The page records in the order given: order[k] is the index of the
    // record that goes to place k. A record that stands out of the sort order
    // there is placed as if an edit had put it there, so the next sort moves
    // it. False, and nothing changes, when order is not a permutation of the
    // record indices.
    bool JSE_PageCollection_ArrangePages(const std::vector<long>& order);

    // --- Reading page records -----------------------------------------------
    long JSE_PageCollection_GetSize() const;
    void JSE_PageCollection_GetPageNumber(long i, long& start, long& end) const;
    void JSE_PageCollection_GetPageTypeAndValue(long i, int& type, int& value) const;
    long JSE_PageCollection_GetPropertySize(long i) const;
    void JSE_PageCollection_GetPropertyValueAt(long i, long j, WString& text) const;
    // Gives property j of record i another text; the record keeps its place.
    void JSE_PageCollection_SetPropertyValueAt(long i, long j, const WString& text);
    long JSE_PageCollection_GetPageFeatureSize(long i) const;
    void JSE_PageCollection_GetPageFeatureType(long i, int j, int& type) const;
    void JSE_PageCollection_GetPageFeatureValue(long i, int j, int& value) const;
    bool JSE_PageCollection_FindPageFeatureByPageIndex(long i, int type) const;
    bool JSE_PageCollection_FindPageFeatureByPageNumbers(long start, long end, int type, long& i) const;
    bool JSE_PageCollection_FindPageFeatureByPageRange(long start, long end, int type, long& i) const;
    void FindMediaForThePage(long start, long end, WString& paper) const;
    // The pages start..end cut where their paper changes, in page order: each
    // page prints on the paper of the first substitution record that holds
    // it, or on the job's paper.
    std::vector<PaperRun> FindMediaRuns(long start, long end) const;

    // --- Removing -------------------------------------------------------------
    bool JSE_PageCollection_RemovePageAt(long i, int list);
    void JSE_PageCollection_RemovePageFeature(long start, long end, int type, int value);
    bool JSE_PageCollection_RemovePageFeatureAt(long i, int type);
    void JSE_PageCollection_RemoveAllPages();
    void JSE_PageCollection_RemoveAllFeaturesFromCollection(int type);
    void JSE_PageCollection_RemoveAllFeaturesFromPages(long start, long end, int type);
    void JSE_PageCollection_RemovePageFeatureAndProperty(long start, long end, int type, int value,
                                                         int propertyIndex);
    bool JSE_PageCollection_RemovePagesInTheRange(long start, long end, int type);
    // Erases the last feature of code type page by page over start..end,
    // cutting a one-page record out of the record that carries it.
    void JSE_PageCollection_RemovePageFeature(long start, long end, int type);
    void removeFeaturesFromPageList(long start, long end, int type);

    // --- Layout list ----------------------------------------------------------
    void setLayOutProperty(long start, long end, int type, int value);
    void JSE_PageCollection_RemoveLayoutFeatures(long start, long end, int type);
    long findLayoutLocation(long start, long end, int kind) const;
    long findLayoutPage(long start, long end) const;
    void splitPageLayoutRecord(long j, long start, long end);

    // --- Image list -----------------------------------------------------------
    long JSE_PageCollection_GetPageImageSize() const;
    void JSE_PageCollection_GetImagePageNumber(long i, int& start, int& end) const;
    long JSE_PageCollection_GetImageFeatureSize(long i) const;
    void JSE_PageCollection_GetImageFeature(long i, long j, int& type, int& typeValue, int& unit, bool& mirror,
                                            int& orientation, float& x1, float& y1, float& x2, float& y2) const;
    long JSE_PageCollection_GetImageFeatureIndex(int start, int end) const;
    void JSE_PageCollection_RemoveImageFeature(long start, long end, int type);
    void JSE_PageCollection_RemoveImageAlignOnPages(long start, long end);
    void JSE_PageCollection_RemoveAllImageFeature();
    void JSE_PageCollection_RemoveImageAlignPagesInTheRange(long start, long end, int type);
    bool removePartialImageRecord(long i, long start, long end);
    void splitPageImageRecord(long i, int featureType, int unit, bool mirror, int orientation, float x1, float y1,
                              float x2, float y2, long start, long end);
    void checkForDuplicatedImageFeatures();

    // --- Lookups over the page list ---------------------------------------------
    long findPage(long start, long end, int kind, int value) const;
    long findPageByType(long start, long end, int kind) const;
    long findPageRange(long start, long end, int kind) const;
    long findPageRange(long start, long end) const;
    long findInsertLocation(long start, long end, int kind) const;
    long findPageRangeRecord(long start, long end, int kind, PageIndexItem& found) const;
    // The positions of the page records sharing a page with start..end, in
    // list order; how many there are.
    long findOverlappingPages(long start, long end, PageIndexItem& found) const;
    // The first page record in list order that holds start..end and is not a
    // layout range's mirror; -1 when there is none.
    long findPageHolding(long start, long end) const;
    // The record of exactly start..end that is not a layout range's mirror:
    // the one findPage (start, end, -1, -1) meets, or else the first one in
    // list order; -1 when there is none.
    long findPageOfRange(long start, long end) const;
    static bool LessCompare(const PageItemType& a, const PageItemType& b);

    // --- Reshaping page records -------------------------------------------------
    bool clonePage(long i, PageItemType& piece, long start, long end, int kind, int kindValue);
    bool SameFeature(long i, int type, int value) const;
    bool SameProperty(long i, int id, const WString& text) const;
    static void UpdatePageItem(PageItemType& piece, int kind, int id, const WString& text);
    void splitPageRecord(long i, int type, int value, long start, long end);
    void splitPagePropertyRecord(long i, int kind, int kindValue, int id, WString text, long start, long end);
    long consolidatePagesInTheRange(long start, long end, int kind, int value, bool report);
    bool removePartialRecord(long i, long start, long end);
    void checkForDuplicatedFeatures();

private:
    void InitMembers();
    bool validPage(long i) const { return i >= 0 && i < static_cast<long>(pageList.size()); }
    bool validLayout(long j) const { return j >= 0 && j < static_cast<long>(layoutList.size()); }
    bool validImage(long i) const { return i >= 0 && i < static_cast<long>(imageList.size()); }

    long setInsertPageType(long start, long end, int type, int value);
    void setInsertProperty(long start, long end, int id, const WString& text, int pageType, int pageTypeValue,
                           bool insertSorted);
    void setPropertyOnRecord(long i, int id, const WString& text);
    long insertPage(PageItemType record, int kind);
    // Erases page record i; a layout range's mirror takes its layout record
    // with it.
    void erasePage(long i);
    void setPageStart(long i, long start);
    // After record i was placed or its first page or kind changed: marks it
    // when it breaks the sort order of the unmarked records around it.
    void notePlaced(long i);
    // The sort of JSE_PageCollection_SetProperty: the marked records move to
    // where a stable sort of the whole list puts them.
    void sortPageList();
    void moveNextPageOfKind(long i, int kind, long start, long end, bool spareOnePage);
    void cutOutInside(long i, long start, long end);
    void coverPageRecord(long i, int kind, long start, long end);
    static void setFeature(PageItemType& record, int type, int value);
    // A record made by setting a page type: its own code as kind, one feature.
    static PageItemType featureRecord(int type, int value, long start, long end);

    // The layout records of a code that a change over a range may touch, and
    // their mirrors taken out of the page list while it runs.
    struct LayoutChange {
        int type = 0;
        long first = 0;
        long last = 0;
        std::vector<PageItemType> mirrors;
    };
    LayoutChange beginLayoutChange(long start, long end, int type);
    // Gives every layout record of the change's code over its pages a mirror.
    void endLayoutChange(const LayoutChange& change);
    long findLayoutMirror(const layoutPageItemType& layout) const;
    // Places the mirror with those of exactly its pages (start..end), each
    // where a record for the pages is inserted, in the order of the layout
    // list, as the change of code type made them.
    void placeMirrors(long start, long end, int type, PageItemType mirror);
    void cutLayoutRange(long start, long end, int type);
    long findLayoutOverlap(long start, long end, int type) const;
    void insertLayout(const layoutPageItemType& record);

    long findImagePage(long start, long end) const;
    long findImagePageRange(long start, long end) const;
    long findImagePageInsertLocation(long start, long end) const;
    static void UpdateImageItem(ImageType& feature, int featureType, int unit, bool mirror, int orientation,
                                float x1, float y1, float x2, float y2);
    bool SameIamgeFeature(long i, int type, long& j) const;
    void cloneImagePage(long i, PageImageItemType& piece, long start, long end, int type) const;
    void insertImage(const PageImageItemType& record);
    void cutImageRange(long start, long end);
    // The positions of the image records sharing a page with start..end:
    // first and one past the last.
    std::pair<long, long> imageRecordsOver(long start, long end) const;
    // Merges equal neighbours among the image records around start..end.
    void mergeImageRecordsAround(long start, long end);

    PageSequence<PageItemType> pageList;
    PageSequence<layoutPageItemType> layoutList;
    std::vector<PageImageItemType> imageList;
    int lastError = 0;
};
