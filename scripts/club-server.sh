#!/usr/bin/env bash
# A club race server on this machine, for trying the shared 赛文 (班级赛文):
# creates a PostgreSQL 15 cluster, starts it on 127.0.0.1, creates the
# database "club" with Quorvel's schema and a demo club (an organiser, three
# members, a passage and an open race) and prints how to connect.
#
#   scripts/club-server.sh [start] [--dir DIR] [--port PORT]
#   scripts/club-server.sh stop [--dir DIR]
#
# DIR defaults to the user's data folder ($XDG_DATA_HOME/quorvel/club-server);
# run as root, the server runs as the unprivileged user "postgres" and DIR
# defaults to /var/lib/quorvel/club-server. Logins are trusted on 127.0.0.1
# only: this is a demonstration, not a school's server (see the README).
set -euo pipefail

bin=/usr/lib/postgresql/15/bin
admin=quorvel_admin
database=club
port=5433
action=start
dir=""
while [ $# -gt 0 ]; do
  case "$1" in
    start|stop) action=$1 ;;
    --dir) dir=${2:?--dir needs a folder}; shift ;;
    --port) port=${2:?--port needs a number}; shift ;;
    -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
  shift
done
case "$port" in ''|*[!0-9]*) echo "--port must be a number" >&2; exit 2 ;; esac

if [ ! -x "$bin/initdb" ]; then
  echo "PostgreSQL 15 is not installed (apt-get install postgresql-15, or scripts/deps.sh)" >&2
  exit 1
fi

# The server never runs as root.
as_server=()
if [ "$(id -u)" -eq 0 ]; then
  id postgres >/dev/null 2>&1 || useradd --system --home-dir /var/lib/postgresql --shell /usr/sbin/nologin postgres
  as_server=(runuser -u postgres --)
  dir=${dir:-/var/lib/quorvel/club-server}
else
  dir=${dir:-${XDG_DATA_HOME:-$HOME/.local/share}/quorvel/club-server}
fi
data="$dir/data"

server() { (cd / && "${as_server[@]}" "$@"); }

if [ "$action" = stop ]; then
  if [ -f "$data/postmaster.pid" ]; then
    server "$bin/pg_ctl" -D "$data" -w -m fast stop
  else
    echo "no club server is running in $dir"
  fi
  exit 0
fi

if [ ! -f "$data/PG_VERSION" ]; then
  mkdir -p "$dir"
  [ ${#as_server[@]} -gt 0 ] && chown postgres: "$dir"
  chmod 700 "$dir"
  server "$bin/initdb" -D "$data" -U "$admin" --auth=trust -E UTF8 --locale=C.UTF-8 >/dev/null
  cat >>"$data/postgresql.conf" <<CONF
listen_addresses = '127.0.0.1'
unix_socket_directories = '$dir'
max_connections = 300
CONF
fi
# The port may change between starts.
sed -i "/^port = /d" "$data/postgresql.conf"
echo "port = $port" >>"$data/postgresql.conf"
if ! server "$bin/pg_ctl" -D "$data" status >/dev/null 2>&1; then
  server "$bin/pg_ctl" -D "$data" -l "$dir/server.log" -w start >/dev/null
fi

export PGHOST=127.0.0.1 PGPORT=$port PGUSER=$admin
psql_admin() { "$bin/psql" -X -q -v ON_ERROR_STOP=1 "$@"; }
if [ "$(psql_admin -d postgres -tAc "SELECT count(*) FROM pg_database WHERE datname = '$database'")" = 0 ]; then
  psql_admin -d postgres -c "CREATE DATABASE $database"
fi

# The schema comes from the program itself, which migrates it step by step.
here=$(cd "$(dirname "$0")/.." && pwd)
quorvel=${QUORVEL:-}
if [ -z "$quorvel" ]; then
  if [ -x "$here/build/quorvel" ]; then quorvel=$here/build/quorvel
  else quorvel=$(command -v quorvel || true); fi
fi
if [ -z "$quorvel" ]; then
  echo "quorvel not found: build it first or set QUORVEL=/path/to/quorvel" >&2
  exit 1
fi
PGDATABASE=$database "$quorvel" --club-setup

# The demo club, once.
psql_admin -d "$database" <<'SQL'
DO $$
DECLARE
  login text;
BEGIN
  IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'teacher') THEN
    CREATE ROLE teacher LOGIN IN ROLE club_organiser;
  END IF;
  FOREACH login IN ARRAY ARRAY['xiaoming', 'xiaohong', 'xiaogang'] LOOP
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = login) THEN
      EXECUTE format('CREATE ROLE %I LOGIN IN ROLE club_member', login);
    END IF;
  END LOOP;
END$$;
INSERT INTO members (login, display_name, class_name, role) VALUES
  ('teacher', '王老师', '三（2）班', 'organiser'),
  ('xiaoming', '小明', '三（2）班', 'member'),
  ('xiaohong', '小红', '三（2）班', 'member'),
  ('xiaogang', '小刚', '三（2）班', 'member')
ON CONFLICT (login) DO NOTHING;
INSERT INTO passages (title, body, posted_by)
SELECT '春晓', E'春眠不觉晓，处处闻啼鸟。\n夜来风雨声，花落知多少。', 'teacher'
WHERE NOT EXISTS (SELECT FROM passages);
INSERT INTO races (passage_id, title, opened_by)
SELECT id, '周一赛文：春晓', 'teacher' FROM passages WHERE title = '春晓'
  AND NOT EXISTS (SELECT FROM races);
SQL

cat <<TEXT
The club server runs in $dir on 127.0.0.1:$port (database "$database").
Logins: teacher (organiser), xiaoming, xiaohong, xiaogang (members).
Try it as a member:
  PGHOST=127.0.0.1 PGPORT=$port PGDATABASE=$database PGUSER=xiaoming $quorvel
or put this in ~/.config/quorvel/quorvel.ini:
  [Club]
  Host=127.0.0.1
  Port=$port
  Database=$database
  User=teacher
then choose 其他 > 班级赛文…  Stop the server with: $0 stop${dir:+ --dir $dir}
TEXT
