#pragma once
// The club database's schema, versioned: schema_version holds the number of
// steps applied; each step runs whole or not at all inside one transaction,
// and concurrent migrations wait for one another.
#include "club/ClubTypes.h"

class QSqlDatabase;

// Steps the program knows; a database with fewer needs migrating.
int ClubSchemaSteps();
// The steps applied to the database; 0 for an empty one, -1 when unreadable.
int ClubSchemaVersion(QSqlDatabase &db);
// Applies the missing steps (as the database's owner: the steps create the
// tables, the club_organiser and club_member roles and their rights).
ClubStatus MigrateClubSchema(QSqlDatabase &db);
