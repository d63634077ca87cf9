#pragma once
// The record viewer RecordViewer, "other.records", and the result window that
// shows the report of every practice run.
struct AppContext;
class Shell;

void RegisterRecords(AppContext &ctx, Shell &shell);
