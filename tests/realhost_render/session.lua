-- Run twice by realhost_render.sh with Ardour's Lua session tool:
--   TALVIR_PHASE=build : Dummy backend, a session, a MIDI track with the library as its
--                        instrument and the test stimulus in front of it, parameters set, saved.
--   TALVIR_PHASE=export: load the session, export [0, length) of the master bus to a float WAV.
-- Building and exporting in separate processes avoids a heap corruption of Ardour 7.3 that
-- follows adding processors and exporting in one process. The exporter is kept referenced and
-- the script ends with os.exit: destroying it after an export double-frees in Ardour 7.3.
local _print = print
print = function (...) _print (...); io.stdout:flush () end
EXPORTER = nil

local function env (k, d)
	local v = os.getenv (k)
	if v == nil or v == "" then return d end
	return v
end

local function find_plugin (track, uid)
	local i = 0
	while true do
		local p = track:nth_plugin (i)
		if p:isnil () then return nil end
		if p:to_insert ():plugin (0):unique_id () == uid then return p end
		i = i + 1
	end
end

local function start_backend ()
	local backend = AudioEngine:set_backend ("None (Dummy)", "", "")
	assert (backend and not backend:isnil (), "no Dummy backend")
	backend:set_buffer_size (math.tointeger (tonumber (env ("TALVIR_BLOCK", "1024"))))
end

local function build ()
	local uid = env ("TALVIR_PLUGIN_ID")
	start_backend ()
	if not create_session (env ("TALVIR_SESSION_DIR"), "talvir", math.tointeger (tonumber (env ("TALVIR_RATE")))) then
		print ("talvir: ERROR cannot create the session"); return false
	end
	local info = ARDOUR.LuaAPI.new_plugin_info (uid, ARDOUR.PluginType.LXVST)
	if info:isnil () then print ("talvir: ERROR the host does not list the library"); return false end
	local tracks = Session:new_midi_track (ARDOUR.ChanCount (ARDOUR.DataType ("midi"), 1),
		ARDOUR.ChanCount (ARDOUR.DataType ("audio"), 2), false, info, nil, nil, 1, "talvir",
		ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true, false)
	if tracks:empty () then print ("talvir: ERROR cannot create the track"); return false end
	local track = tracks:front ()
	track:set_strict_io (false)
	local plugin = find_plugin (track, uid)
	if not plugin then print ("talvir: ERROR the library is not on the track"); return false end
	local stimulus = ARDOUR.LuaAPI.new_luaproc (Session, "Talvir Test Stimulus")
	if stimulus:isnil () or track:add_processor_by_index (stimulus, 0, nil, true) ~= 0 then
		print ("talvir: ERROR cannot insert the stimulus"); return false
	end
	for k, v in string.gmatch (env ("TALVIR_PARAMS", ""), "(%d+)=([^,]+)") do
		local ok = ARDOUR.LuaAPI.set_plugin_insert_param (plugin:to_insert (), tonumber (k), tonumber (v))
		print ("talvir: parameter " .. k .. " = " .. v .. " " .. tostring (ok))
	end
	Session:save_state ("")
	return true
end

local function export ()
	start_backend ()
	if not load_session (env ("TALVIR_SESSION_DIR"), "talvir") then
		print ("talvir: ERROR cannot load the session"); return false
	end
	local track = Session:route_by_name ("talvir")
	if track:isnil () or not find_plugin (track, env ("TALVIR_PLUGIN_ID")) then
		print ("talvir: ERROR the library was not restored"); return false
	end
	EXPORTER = Session:simple_export ()
	if not EXPORTER:set_preset (env ("TALVIR_EXPORT_PRESET")) then
		print ("talvir: ERROR export preset missing"); return false
	end
	EXPORTER:set_range (0, math.tointeger (tonumber (env ("TALVIR_LENGTH"))))
	EXPORTER:set_folder (env ("TALVIR_OUT_DIR"))
	EXPORTER:set_name ("render")
	if not EXPORTER:check_outputs () then print ("talvir: ERROR no master outputs"); return false end
	local ok = EXPORTER:run_export ()
	print ("talvir: export " .. tostring (ok))
	return ok
end

local phase = env ("TALVIR_PHASE", "build")
local ok, result = pcall (phase == "export" and export or build)
if not ok then print ("talvir: ERROR " .. tostring (result)) end
if ok and result then print ("talvir: OK " .. phase) else print ("talvir: FAILED " .. phase) end
os.exit ((ok and result) and 0 or 1)
