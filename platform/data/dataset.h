// TDataSet: the rows of a table or a query, read whole when it opens (so
// no cursor holds a lock on the database between calls), a current
// record, and the fields of that record. Changes go record by record:
// Insert or Append or Edit, assign fields, Post (or Cancel). A call in a
// state that does not allow it (not open, not editing, already editing)
// raises EDatabaseError and changes nothing; so does a Post the
// database refuses: the record stays in edit or insert mode with its
// values, to be corrected and posted again or cancelled.
#pragma once
#include <memory>
#include <vector>

#include "data/field.h"
#include "framework/classes/component.h"

class TDatabase;
class TOdbcStatement;
struct TOdbcColumn;

enum TDataSetState : uint8_t { dsInactive, dsBrowse, dsEdit, dsInsert };

class TDataSet : public TComponent {
    FRAME_CLASS(TDataSet, TComponent)
public:
    explicit TDataSet(TComponent* owner);
    ~TDataSet() override;

    // The TDatabase this dataset uses, by its DatabaseName; looked up
    // when the dataset opens. Cannot change while open.
    const AnsiString& DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const AnsiString& name);
    // The database in use while open (nullptr when closed).
    TDatabase* Database() const { return FDatabase; }

    bool Active() const;
    void SetActive(bool active);  // read from a form: opens when the form is loaded
    void Open();
    void Close();  // discards a record being edited or inserted
    // Reads the rows again, keeping the position where it can.
    void Refresh();
    TDataSetState State() const { return FState; }

    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const { return FEof; }
    bool Bof() const { return FBof; }
    int RecordCount() const;
    int RecNo() const;  // from 1; 0 without a current record

    // A new record before the current one (Insert) or after the last
    // (Append); its fields start null, and those not assigned are left
    // for the database to fill.
    void Insert();
    void Append();
    void Edit();
    void Post();
    void Cancel();  // nothing to cancel is not an error
    void Delete();

    int FieldCount() const { return static_cast<int>(FFields.size()); }
    TField* Fields(int index) const;
    TField* FindField(const AnsiString& name) const;  // nullptr when absent
    TField* FieldByName(const AnsiString& name) const;  // raises when absent

    // For fields.
    const TFieldValue& FieldValue(int index) const;
    void SetFieldValue(int index, TFieldValue value);
    void CheckEditing() const;
    // What messages call the dataset.
    virtual AnsiString Describe() const;

protected:
    using TRecord = std::vector<TFieldValue>;

    // Prepares and binds the statement whose rows the dataset shows.
    virtual void PrepareRows(TOdbcStatement& statement) = 0;
    // After the fields are made from the columns: what else the dataset
    // needs to know of them.
    virtual void FieldsMade(const std::vector<TOdbcColumn>&) {}
    // Raises when records cannot be changed (a query's rows).
    virtual void CheckCanModify() const;
    // Writing one record to the database; assigned marks the fields given.
    virtual void WriteInsert(const TRecord& record, const std::vector<bool>& assigned);
    virtual void WriteUpdate(const TRecord& old, const TRecord& record, const std::vector<bool>& assigned);
    virtual void WriteDelete(const TRecord& record);
    // Before Edit and Delete: raises when the current record cannot be found again.
    virtual void CheckCanLocate(const TRecord&) const {}

    void CheckActive() const;
    void CheckBrowsing(const char* operation) const;
    // The open database for this dataset's statements.
    TDatabase& OpenDatabase() const;
    // The database DatabaseName means, connected.
    TDatabase& ConnectDatabase() const;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void ReadRows(size_t keepPosition);
    void StartInsert(size_t position);
    void Detach();

    AnsiString FDatabaseName;
    TDatabase* FDatabase = nullptr;
    TDataSetState FState = dsInactive;
    bool FStreamedActive = false;
    std::vector<std::unique_ptr<TField>> FFields;
    std::vector<TRecord> FRecords;
    size_t FCurrent = 0;  // valid when FRecords is not empty
    bool FEof = true;
    bool FBof = true;
    // The record being edited or inserted, which fields were assigned,
    // and where an inserted record goes.
    TRecord FBuffer;
    std::vector<bool> FAssigned;
    size_t FInsertAt = 0;
};
